#include "desktopwindow.h"

#include "actionrunner.h"
#include "atomicsave.h"
#include "documentopener.h"
#include "documentrecords.h"
#include "emptyrunreason.h"
#include "hosterror.h"
#include "hostsettings.h"
#include "keptsettings.h"
#include "modalwizardpicking.h"
#include "opendocument.h"
#include "outlinepanel.h"
#include "pagegeometry.h"
#include "pageview.h"
#include "pdflibrarybinding.h"
#include "previewwindow.h"
#include "recentfiles.h"
#include "replaceconfirmation.h"
#include "runsettings.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressDialog>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace {

const QString PdfFilter = QObject::tr("PDF files (*.pdf);;All files (*)");
const QString WindowStateKey = QStringLiteral("Window/State");
// Wide enough for the chapter titles of a manual.
const int OutlineWidth = 380;

} // namespace

DesktopWindow::DesktopWindow(const QString& pluginPath, QWidget* parent)
    : QMainWindow(parent),
      mPluginPath(pluginPath),
      mPreview(new PreviewWindow(this)),
      mOutline(new OutlinePanel(this)),
      mRunner(new ActionRunner(pluginPath, this))
{
    // The plug-in's dialogs find the host by these names.
    setObjectName(QStringLiteral("VantoraClass"));
    setCentralWidget(mPreview);

    auto* dock = new QDockWidget(tr("Bookmarks"), this);
    dock->setObjectName(QStringLiteral("outlineDock"));
    dock->setWidget(mOutline);
    dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    addDockWidget(Qt::LeftDockWidgetArea, dock);
    resizeDocks({dock}, {OutlineWidth}, Qt::Horizontal);

    createActions();
    createActionsMenu();

    PageView* view = mPreview->pageView();
    connect(mOutline, &OutlinePanel::pageRequested, view, &PageView::goToPage);
    connect(view, &PageView::currentPageChanged, this, &DesktopWindow::showCurrentPage);
    connect(view, &PageView::zoomChanged, this, [this](double zoom) {
        mZoomLabel->setText(QStringLiteral("%1%").arg(qRound(zoom * 100)));
    });
    connect(mPreview, &PreviewWindow::statusMessage, this, [this](const QString& message) {
        // The preview's hint goes when picking ends; a message of the window's stays.
        if (!message.isEmpty())
            statusBar()->showMessage(mPreviewHint = message);
        else if (statusBar()->currentMessage() == mPreviewHint)
            statusBar()->clearMessage();
    });
    connect(mPreview, &PreviewWindow::settingsReceived, this, &DesktopWindow::onSettingsReceived);
    connect(mPreview, &PreviewWindow::settingsDialogClosed, this, &DesktopWindow::onSettingsDialogClosed);
    connect(mPreview, &PreviewWindow::pagesKnown, this, &DesktopWindow::onPagesKnown);
    connect(mRunner, &ActionRunner::finished, this, &DesktopWindow::onRunFinished);

    resize(1100, 800);
    // The bookmark panel keeps the width the user gave it.
    restoreState(HostSettings().value(WindowStateKey).toByteArray());
    qApp->installEventFilter(this);
    updateState();
    if (!mRunner->isLoaded())
        statusBar()->showMessage(mRunner->errorString());
}

DesktopWindow::~DesktopWindow()
{
    qApp->removeEventFilter(this);
    HostSettings().setValue(WindowStateKey, saveState());
    // A running procedure works on the document: it ends before the document goes.
    delete mRunner;
}

void DesktopWindow::createActions()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    QAction* open = file->addAction(tr("&Open..."), this, &DesktopWindow::chooseFile, QKeySequence::Open);
    open->setObjectName(QStringLiteral("actionOpen"));
    QMenu* recent = file->addMenu(tr("Open &Recent"));
    mRecent = new RecentFiles(recent, this);
    connect(mRecent, &RecentFiles::openRequested, this, &DesktopWindow::openFile);
    mSaveAction = file->addAction(tr("&Save"), this, &DesktopWindow::save, QKeySequence::Save);
    mSaveAction->setObjectName(QStringLiteral("actionSave"));
    mSaveAsAction = file->addAction(tr("Save &As..."), this, &DesktopWindow::saveAs, QKeySequence::SaveAs);
    mSaveAsAction->setObjectName(QStringLiteral("actionSaveAs"));
    file->addSeparator();
    file->addAction(tr("&Quit"), this, &QWidget::close, QKeySequence::Quit);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    mUndoAction = edit->addAction(tr("&Undo"), this, &DesktopWindow::undoRun, QKeySequence::Undo);
    mUndoAction->setObjectName(QStringLiteral("actionUndo"));

    PageView* view = mPreview->pageView();
    QMenu* viewMenu = menuBar()->addMenu(tr("&View"));
    mViewActions << viewMenu->addAction(tr("Zoom &In"), view, &PageView::zoomIn, QKeySequence::ZoomIn)
                 << viewMenu->addAction(tr("Zoom &Out"), view, &PageView::zoomOut, QKeySequence::ZoomOut)
                 << viewMenu->addAction(tr("Fit &Width"), view, &PageView::fitWidth, QKeySequence(Qt::CTRL + Qt::Key_2))
                 << viewMenu->addAction(tr("&Actual Size"), view, [view] { view->setZoom(1.0); }, QKeySequence(Qt::CTRL + Qt::Key_0));
    viewMenu->addSeparator();
    mViewActions << viewMenu->addAction(tr("&Previous Page"), view, &PageView::previousPage, QKeySequence(Qt::Key_PageUp))
                 << viewMenu->addAction(tr("&Next Page"), view, &PageView::nextPage, QKeySequence(Qt::Key_PageDown));

    QToolBar* bar = addToolBar(tr("Navigation"));
    bar->setObjectName(QStringLiteral("navigationBar"));
    bar->addAction(open);
    bar->addAction(mSaveAction);
    bar->addSeparator();
    bar->addAction(mViewActions.at(4));
    mPageBox = new QSpinBox(bar);
    mPageBox->setObjectName(QStringLiteral("pageBox"));
    mPageBox->setKeyboardTracking(false);
    bar->addWidget(mPageBox);
    mPageCount = new QLabel(bar);
    mPageCount->setObjectName(QStringLiteral("pageCount"));
    bar->addWidget(mPageCount);
    bar->addAction(mViewActions.at(5));
    bar->addSeparator();
    bar->addAction(mViewActions.at(1));
    mZoomLabel = new QLabel(QStringLiteral("100%"), bar);
    mZoomLabel->setMinimumWidth(48);
    mZoomLabel->setAlignment(Qt::AlignCenter);
    bar->addWidget(mZoomLabel);
    bar->addAction(mViewActions.at(0));
    bar->addAction(mViewActions.at(2));
    connect(mPageBox, QOverload<int>::of(&QSpinBox::valueChanged), view, &PageView::goToPage);
}

void DesktopWindow::createActionsMenu()
{
    QMenu* actions = menuBar()->addMenu(tr("&Actions"));
    actions->setObjectName(QStringLiteral("actionsMenu"));
    mEditSettingsAction = new QAction(tr("Edit settings..."), this);
    mEditSettingsAction->setObjectName(QStringLiteral("actionEditSettings"));
    connect(mEditSettingsAction, &QAction::triggered, this, &DesktopWindow::editSettings);
    mRunAction = new QAction(tr("Run"), this);
    mRunAction->setObjectName(QStringLiteral("actionRun"));
    mRunAction->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_R));
    connect(mRunAction, &QAction::triggered, this, &DesktopWindow::runAction);
    mEveryNthPageAction = new QAction(tr("Bookmark every N-th page..."), this);
    mEveryNthPageAction->setObjectName(QStringLiteral("actionEveryNthPage"));
    connect(mEveryNthPageAction, &QAction::triggered, this, &DesktopWindow::bookmarkEveryNthPage);
    mSuggestLevelsAction = new QAction(tr("Suggest levels"), this);
    mSuggestLevelsAction->setObjectName(QStringLiteral("actionSuggestLevels"));
    mSuggestLevelsAction->setToolTip(tr("Find the headings in the document's text and open them in the wizard"));
    connect(mSuggestLevelsAction, &QAction::triggered, this, &DesktopWindow::suggestLevels);
    if (!mRunner->isLoaded()) {
        actions->addAction(tr("(no action loaded)"))->setEnabled(false);
        return;
    }
    // Group, then the action under it with its own icon.
    QMenu* group = actions->addMenu(mRunner->groupName());
    QMenu* action = group->addMenu(mRunner->icon(), mRunner->displayName());
    action->setObjectName(QStringLiteral("actionMenu"));
    action->setToolTipsVisible(true);
    action->addAction(mSuggestLevelsAction);
    action->addAction(mEditSettingsAction);
    action->addAction(mEveryNthPageAction);
    action->addAction(mRunAction);
}

void DesktopWindow::updateState()
{
    const bool open = mDocument != nullptr;
    const bool idle = !mRunner->isRunning();
    mSaveAction->setEnabled(open && idle);
    mSaveAsAction->setEnabled(open && idle);
    mUndoAction->setEnabled(open && idle && mUndo.canUndo());
    mUndoAction->setText(mUndo.canUndo() ? tr("&Undo %1").arg(mRunner->displayName()) : tr("&Undo"));
    mEditSettingsAction->setEnabled(mRunner->isLoaded() && !mSettingsOpen);
    mEveryNthPageAction->setEnabled(open && idle && mRunner->isLoaded() && !mSettingsOpen);
    mSuggestLevelsAction->setEnabled(open && idle && mRunner->isLoaded() && !mSettingsOpen);
    mRunAction->setEnabled(open && idle && mRunner->hasSettings());
    mRunAction->setToolTip(mRunner->hasSettings()
                               ? tr("Build bookmarks with the settings finished last")
                               : tr("No settings yet: define levels with Edit settings... and press Finish"));
    for (QAction* action : qAsConst(mViewActions))
        action->setEnabled(open);
    mPageBox->setEnabled(open);
    const QString name = open ? QFileInfo(mPath).fileName() : tr("No document");
    setWindowTitle(QStringLiteral("%1%2 - Vantora").arg(name, mModified ? QStringLiteral("*") : QString()));
}

void DesktopWindow::chooseFile()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Open PDF"), QFileInfo(mPath).absolutePath(), PdfFilter);
    if (!path.isEmpty())
        openFile(path);
}

bool DesktopWindow::openFile(const QString& path)
{
    if (mRunner->isRunning() || settingsInTheWay() || !maySetDocumentAside())
        return false;
    DocumentOpener opener(this);
    std::unique_ptr<OpenDocument> document = opener.open(path);
    if (!document) {
        if (!QFileInfo(path).exists())
            mRecent->remove(path);
        return false;
    }
    mDocument = std::move(document);
    mPath = QFileInfo(path).absoluteFilePath();
    mPassword = opener.password();
    mModified = false;
    mUndo.forget();

    // The first page shows at once; the others' sizes follow from a reader.
    const QRectF first = PageGeometry::read(mDocument->library(), 1);
    mPreview->showDocument(mPath, mPassword, first.isEmpty() ? PageGeometry::placeholder() : first,
                           mDocument->library().PageCount());
    refreshOutline();
    mRecent->add(mPath);
    const ActionPrefs kept = KeptSettings::read(mPath);
    if (!kept.isEmpty())
        mRunner->setSettings(kept);
    updateState();
    statusBar()->showMessage(kept.isEmpty() ? tr("Opened %1.").arg(QFileInfo(mPath).fileName())
                                            : tr("Opened %1 with its settings kept from last time; press Run.")
                                                  .arg(QFileInfo(mPath).fileName()),
                             8000);
    emit documentOpened(mPath);
    return true;
}

bool DesktopWindow::maySetDocumentAside()
{
    if (!mDocument || !mModified)
        return true;
    const auto answer = QMessageBox::question(this, tr("Unsaved changes"),
                                              tr("Save the changes to %1?").arg(QFileInfo(mPath).fileName()),
                                              QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (answer == QMessageBox::Save)
        return save();
    return answer == QMessageBox::Discard;
}

bool DesktopWindow::save()
{
    return mDocument && saveTo(mPath);
}

bool DesktopWindow::saveAs()
{
    if (!mDocument)
        return false;
    const QString path = QFileDialog::getSaveFileName(this, tr("Save PDF As"), mPath, PdfFilter);
    return !path.isEmpty() && saveTo(path);
}

bool DesktopWindow::saveTo(const QString& path)
{
    if (!mDocument || mRunner->isRunning())
        return false;
    try {
        AtomicSave target(path);
        mDocument->saveTo(target.temporaryPath());
        target.commit();
    } catch (const HostError& error) {
        QMessageBox::warning(this, tr("Save"), error.message());
        return false;
    }
    mPath = QFileInfo(path).absoluteFilePath();
    // The copy under a new name opens again with the same settings.
    if (mRunner->hasSettings())
        KeptSettings::keep(mPath, mRunner->settings());
    mModified = false;
    // Undoing a saved run leaves the document unlike its file.
    mModifiedBeforeRun = true;
    mRecent->add(mPath);
    updateState();
    statusBar()->showMessage(tr("Saved %1.").arg(mPath), 5000);
    return true;
}

void DesktopWindow::editSettings()
{
    if (mSettingsOpen || !mRunner->isLoaded())
        return;
    if (!mRunner->hasSettings()) {
        // The modeless wizard starts from its defaults and sends its map.
        mSettingsOpen = mRunner->showSettings(mPreview);
        updateState();
        return;
    }
    editInModalWizard(mRunner->settings());
}

// Only the modal wizard takes a map to start from.
void DesktopWindow::editInModalWizard(ActionPrefs prefs)
{
    mSettingsOpen = true;
    updateState();
    bool finished = false;
    {
        ModalWizardPicking picking(mPreview);
        finished = mRunner->editSettings(picking.wizardParent(), prefs);
    }
    mSettingsOpen = false;
    if (finished)
        onSettingsReceived(prefs);
    updateState();
}

// The levels are shown in the wizard, not run: the user sees what was
// found, and can change it, before anything touches the document.
void DesktopWindow::suggestLevels()
{
    if (!mDocument || mRunner->isRunning() || settingsInTheWay() || !mRunner->isLoaded())
        return;
    statusBar()->showMessage(tr("Reading the text of %1 pages...").arg(mDocument->pageCount()));
    QList<ActionPrefs> suggested;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        suggested = RunSettings::suggestedMaps(DocumentRecords(mDocument->library()), QFileInfo(mPath).fileName());
    } catch (const HostError& error) {
        QApplication::restoreOverrideCursor();
        statusBar()->clearMessage();
        QMessageBox::information(this, tr("Suggest levels"), error.message());
        return;
    }
    QApplication::restoreOverrideCursor();
    const int levels = suggested.value(0).value(QStringLiteral("LevelCount")).toInt();
    statusBar()->showMessage(levels == 1 ? tr("1 level suggested; Finish keeps it.")
                                         : tr("%1 levels suggested; Finish keeps them.").arg(levels));
    editInModalWizard(suggested.value(0));
}

void DesktopWindow::bookmarkEveryNthPage()
{
    if (!mDocument || mRunner->isRunning() || mSettingsOpen)
        return;
    bool given = false;
    const int every = QInputDialog::getInt(this, tr("Bookmark every N-th page"),
                                           tr("A bookmark \"Page n\" on every N-th page; N:"), 10, 1, 999999999, 1, &given);
    if (!given)
        return;
    onSettingsReceived({{QStringLiteral("NthChecked"), true},
                        {QStringLiteral("MultiChecked"), false},
                        {QStringLiteral("NthPage"), every}});
    runAction();
}

void DesktopWindow::onSettingsReceived(const ActionPrefs& prefs)
{
    mRunner->setSettings(prefs);
    if (mDocument)
        KeptSettings::keep(mPath, prefs);
    updateState();
    const int levels = prefs.value(QStringLiteral("LevelCount")).toInt();
    statusBar()->showMessage(prefs.value(QStringLiteral("NthChecked")).toBool()
                                 ? tr("A bookmark every %1 page(s); press Run.").arg(prefs.value(QStringLiteral("NthPage")).toInt())
                                 : levels == 1 ? tr("1 level; press Run.") : tr("%1 levels; press Run.").arg(levels));
}

void DesktopWindow::onPagesKnown(int count, bool all)
{
    const QSignalBlocker quiet(mPageBox);
    mPageBox->setRange(1, std::max(1, count));
    // While the sizes are read, the count can still grow.
    mPageCount->setText(all ? tr(" of %1 ").arg(count) : tr(" of %1... ").arg(count));
}

bool DesktopWindow::settingsInTheWay()
{
    if (!mSettingsOpen)
        return false;
    statusBar()->showMessage(tr("Finish or close the settings first."), 5000);
    return true;
}

void DesktopWindow::onSettingsDialogClosed()
{
    mSettingsOpen = false;
    updateState();
}

void DesktopWindow::runAction()
{
    if (!mDocument || mRunner->isRunning() || !mRunner->hasSettings())
        return;
    mBookmarksBeforeRun = mDocument->library().OutlineCount();
    if (!ReplaceConfirmation::confirm(this, mRunner->settings(), mBookmarksBeforeRun))
        return;
    KeptSettings::keep(mPath, mRunner->settings());
    try {
        mUndo.remember(*mDocument);
    } catch (const HostError& error) {
        QMessageBox::warning(this, mRunner->displayName(), error.message());
        return;
    }
    mModifiedBeforeRun = mModified;

    // The library answers SelectedPage while the procedure works on a page.
    const int pages = mDocument->pageCount();
    mProgress = new QProgressDialog(tr("Building bookmarks..."), QString(), 0, pages, this);
    mProgress->setWindowModality(Qt::WindowModal);
    mProgress->setMinimumDuration(300);
    mProgress->setAttribute(Qt::WA_DeleteOnClose);
    auto* poll = new QTimer(mProgress);
    connect(poll, &QTimer::timeout, this, [this] {
        if (mProgress && mDocument)
            mProgress->setValue(mDocument->library().SelectedPage());
    });
    poll->start(100);

    mRunner->run(mDocument.get());
    updateState();
}

void DesktopWindow::onRunFinished(int result, const QStringList& messages)
{
    if (mProgress)
        mProgress->close();
    const int total = mDocument->library().OutlineCount();
    const int made = ReplaceConfirmation::replaces(mRunner->settings()) ? total : total - mBookmarksBeforeRun;
    if (result == 0 && messages.isEmpty() && made <= 0) {
        takeBackEmptyRun();
        emit runFinished(result);
        return;
    }
    mModified = true;
    refreshOutline();
    updateState();
    if (result != 0 || !messages.isEmpty()) {
        QMessageBox box(QMessageBox::Warning, mRunner->displayName(),
                        result != 0 ? tr("The action reported errors; what it made is kept (Undo takes it back).")
                                    : tr("The action finished with messages."),
                        QMessageBox::Ok, this);
        box.setDetailedText(messages.join(QLatin1Char('\n')));
        box.setInformativeText(messages.mid(0, 5).join(QLatin1Char('\n')));
        box.exec();
    } else {
        statusBar()->showMessage(tr("%1 done: %n bookmark(s).", nullptr, mDocument->library().OutlineCount())
                                     .arg(mRunner->displayName()),
                                 8000);
    }
    emit runFinished(result);
}

void DesktopWindow::takeBackEmptyRun()
{
    // What the run removed comes back; nothing counts as changed.
    undoRun();
    const QString reason = EmptyRunReason::describe(mRunner->settings(), mDocument->library().PageCount());
    statusBar()->showMessage(tr("No bookmark built; the document is unchanged."));
    if (mEmptyRunMessage)
        mEmptyRunMessage->close();
    mEmptyRunMessage = new QMessageBox(QMessageBox::Information, mRunner->displayName(),
                                       tr("The run built no bookmark, so the document is left as it was."),
                                       QMessageBox::Ok, this);
    mEmptyRunMessage->setObjectName(QStringLiteral("emptyRunMessage"));
    mEmptyRunMessage->setInformativeText(reason);
    mEmptyRunMessage->setAttribute(Qt::WA_DeleteOnClose);
    mEmptyRunMessage->open();
}

void DesktopWindow::undoRun()
{
    if (!mDocument || !mUndo.canUndo() || mRunner->isRunning())
        return;
    try {
        mUndo.undo(*mDocument, mPassword);
    } catch (const HostError& error) {
        QMessageBox::warning(this, tr("Undo"), error.message());
        return;
    }
    mModified = mModifiedBeforeRun;
    refreshOutline();
    updateState();
}

void DesktopWindow::refreshOutline()
{
    if (mDocument)
        mOutline->showOutline(mDocument->library());
    else
        mOutline->clear();
}

void DesktopWindow::showCurrentPage(int page)
{
    const QSignalBlocker quiet(mPageBox);
    mPageBox->setValue(page);
}

void DesktopWindow::closeEvent(QCloseEvent* event)
{
    // The running procedure holds the document: it cannot be taken away.
    if (mRunner->isRunning() || settingsInTheWay() || !maySetDocumentAside()) {
        event->ignore();
        return;
    }
    event->accept();
}

bool DesktopWindow::eventFilter(QObject* watched, QEvent* event)
{
    // A text field takes Ctrl+Z for itself unless told not to.
    if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType()
        && static_cast<QWidget*>(watched)->window() == this && mUndoAction->isEnabled()
        && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Undo)) {
        event->ignore();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
