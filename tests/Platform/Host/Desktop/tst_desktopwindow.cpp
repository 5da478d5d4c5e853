// The desktop host on real files, with the real plug-in loaded through
// QPluginLoader, the stand-in PDF library and Qt's event loop: a user opens
// the sample manual, defines two levels by pointing at headings, runs the
// action, undoes it and saves.
#include "desktoptesting.h"
#include "testing.h"

#include "actionrunner.h"
#include "pagerenderer.h"
#include "outlinepanel.h"
#include "outlinereader.h"
#include "recentfiles.h"
#include "samplepdf.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

class TestDesktopWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void windowsCarryTheNamesThePluginLooksFor();
    void pointingAtHeadingsBuildsTheOutline();
    void pickingOnlyWhileTheLevelEditorIsOpen();
    void badInputGivesAMessageAndKeepsTheDocument();
    void passwordIsAskedForUntilRightOrCancelled();
    void savingReplacesTheFileWhole();
    void thousandPagesScrollWithoutWaiting();

private:
    QString expectedOutline(int deepest) const;
    void addLevelByPointing(QDialog* wizard, int page, const QString& heading, const QString& mask, bool drag);

    QTemporaryDir mDir;
    QString mSample;
    QList<Heading> mHeadings;
    std::unique_ptr<DesktopWindow> mWindow;
};

void TestDesktopWindow::initTestCase()
{
    QVERIFY(mDir.isValid());
    mSample = mDir.filePath("manual.pdf");
    QVERIFY(MakeSampleManual(mSample, mHeadings));
}

void TestDesktopWindow::init()
{
    mWindow = std::make_unique<DesktopWindow>(PluginPath());
    QVERIFY2(mWindow->actionRunner()->isLoaded(), qPrintable(mWindow->actionRunner()->errorString()));
    mWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(mWindow.get()));
}

void TestDesktopWindow::cleanup()
{
    if (QDialog* wizard = mWindow ? Wizard(*mWindow) : nullptr)
        wizard->reject();
    mWindow.reset();
}

QString TestDesktopWindow::expectedOutline(int deepest) const
{
    QString text;
    for (const Heading& heading : mHeadings)
        if (heading.level <= deepest)
            text += QString((heading.level - 1) * 2, QLatin1Char(' ')) + heading.title + QLatin1Char('\n');
    return text;
}

void TestDesktopWindow::addLevelByPointing(QDialog* wizard, int page, const QString& heading, const QString& mask, bool drag)
{
    QVERIFY(Click(wizard, "page3AddButton"));
    QTRY_COMPARE(mWindow->previewWindow()->activeTool(), wizard);
    QVERIFY(mWindow->previewWindow()->pageView()->isPicking());
    // Colour too, and a mask to keep out other text of the same style.
    Child<QAbstractButton>(wizard, "fontColorCheckBox")->setChecked(true);
    Child<QAbstractButton>(wizard, "textMaskCheckBox")->setChecked(true);
    Child<QLineEdit>(wizard, "maskLineEdit")->setText(mask);

    QSignalSpy selected(mWindow->previewWindow(), &PreviewWindow::lineSelected);
    const TextLine line = LineOf(*mWindow, page, heading);
    PointAt(*mWindow, page, line, drag);
    QTRY_COMPARE(selected.count(), 1);
    QCOMPARE(selected.at(0).at(0).toInt(), page);
    QCOMPARE(selected.at(0).at(1).value<TextLine>().text, line.text);

    // The editor holds what the line is set in: nobody typed a font name.
    QCOMPARE(Child<QComboBox>(wizard, "fontNameComboBox")->currentText(), line.fontName);
    QCOMPARE(Child<QDoubleSpinBox>(wizard, "fontSizeDoubleSpinBox")->value(), line.size);
    QVERIFY(Click(wizard, "page4OkButton"));
    QTRY_VERIFY(!mWindow->previewWindow()->activeTool());
    QVERIFY(!mWindow->previewWindow()->pageView()->isPicking());
}

void TestDesktopWindow::windowsCarryTheNamesThePluginLooksFor()
{
    QCOMPARE(mWindow->objectName(), QStringLiteral("VantoraClass"));
    QCOMPARE(mWindow->previewWindow()->objectName(), QStringLiteral("VantoraPreviewClass"));
    QCOMPARE(mWindow->previewWindow()->parent(), mWindow.get());

    // Actions > group > the action with its icon > Edit settings..., Run.
    QMenu* action = mWindow->findChild<QMenu*>(QStringLiteral("actionMenu"));
    QVERIFY(action);
    QCOMPARE(action->title(), QStringLiteral("Bookmarks by Content"));
    auto* group = qobject_cast<QMenu*>(action->parentWidget());
    QVERIFY(group);
    QCOMPARE(group->title(), QStringLiteral("Bookmarks"));
    QVERIFY(group->menuAction()->associatedWidgets().contains(mWindow->findChild<QMenu*>(QStringLiteral("actionsMenu"))));
    QVERIFY(!action->icon().pixmap(32, QIcon::Normal).isNull());
    QVERIFY(!action->icon().pixmap(32, QIcon::Disabled).isNull());
    QCOMPARE(action->actions().size(), 2);
}

void TestDesktopWindow::pointingAtHeadingsBuildsTheOutline()
{
    QVERIFY(mWindow->openFile(mSample));
    QCOMPARE(mWindow->outlinePanel()->text(), QStringLiteral("Cover\n"));

    mWindow->findChild<QAction*>(QStringLiteral("actionEditSettings"))->trigger();
    QDialog* wizard = Wizard(*mWindow);
    QVERIFY(wizard);
    QVERIFY(wizard->isVisible());
    QVERIFY(!mWindow->findChild<QAction*>(QStringLiteral("actionEditSettings"))->isEnabled());

    const Heading chapter = mHeadings.at(0);
    const Heading section = mHeadings.at(1);
    QCOMPARE(section.level, 2);
    addLevelByPointing(wizard, chapter.page, chapter.title, QStringLiteral("^\\d+ "), false);
    addLevelByPointing(wizard, section.page, section.title, QStringLiteral("^\\d+\\.\\d+ "), true);
    QVERIFY(Click(wizard, "page3FinishButton"));
    QTRY_VERIFY(mWindow->actionRunner()->hasSettings());
    QCOMPARE(mWindow->actionRunner()->settings().value("LevelCount").toInt(), 2);
    QTRY_VERIFY(!Wizard(*mWindow));
    QVERIFY(mWindow->findChild<QAction*>(QStringLiteral("actionEditSettings"))->isEnabled());

    QSignalSpy finished(mWindow.get(), &DesktopWindow::runFinished);
    mWindow->findChild<QAction*>(QStringLiteral("actionRun"))->trigger();
    QVERIFY(finished.wait(60000));
    QCOMPARE(finished.at(0).at(0).toInt(), 0);
    // A chapter title that wraps keeps its first line.
    const QStringList found = mWindow->outlinePanel()->text().split('\n');
    const QStringList wanted = expectedOutline(2).split('\n');
    QCOMPARE(found.size(), wanted.size());
    for (int i = 0; i < found.size(); ++i)
        QVERIFY2(wanted.at(i).startsWith(found.at(i)), qPrintable(found.at(i) + " / " + wanted.at(i)));
    QVERIFY(mWindow->isModified());

    mWindow->findChild<QAction*>(QStringLiteral("actionUndo"))->trigger();
    QCOMPARE(mWindow->outlinePanel()->text(), QStringLiteral("Cover\n"));
    QVERIFY(!mWindow->isModified());

    // Clicking a bookmark goes to its page.
    mWindow->findChild<QAction*>(QStringLiteral("actionRun"))->trigger();
    QVERIFY(finished.wait(60000));
    OutlinePanel* panel = mWindow->outlinePanel();
    QTreeWidgetItem* last = panel->topLevelItem(panel->topLevelItemCount() - 1);
    panel->scrollToItem(last);
    QTest::mouseClick(panel->viewport(), Qt::LeftButton, {}, panel->visualItemRect(last).center());
    QTRY_COMPARE(mWindow->previewWindow()->pageView()->currentPage(), last->text(1).toInt());

    const QString saved = mDir.filePath("bookmarked.pdf");
    QVERIFY(mWindow->saveTo(saved));
    QVERIFY(!mWindow->isModified());
    OpenDocument reopened(saved, QString());
    const QList<OutlineItem> outline = OutlineReader::read(reopened.library());
    QCOMPARE(outline.size(), 4);
    QCOMPARE(outline.at(0).title, mHeadings.at(0).title);
    QCOMPARE(outline.at(0).page, mHeadings.at(0).page);
    QCOMPARE(outline.at(0).children.at(0).title, section.title);
    QCOMPARE(outline.at(0).children.at(0).page, section.page);
}

void TestDesktopWindow::pickingOnlyWhileTheLevelEditorIsOpen()
{
    QVERIFY(mWindow->openFile(mSample));
    const Heading chapter = mHeadings.at(0);
    const TextLine line = LineOf(*mWindow, chapter.page, chapter.title);
    QSignalSpy selected(mWindow->previewWindow(), &PreviewWindow::lineSelected);

    mWindow->editSettings();
    QDialog* wizard = Wizard(*mWindow);
    QVERIFY(wizard);
    PointAt(*mWindow, chapter.page, line, false);
    QTest::qWait(50);
    QCOMPARE(selected.count(), 0);

    // Cancel of the editor ends picking as OK does.
    QVERIFY(Click(wizard, "page3AddButton"));
    QTRY_VERIFY(mWindow->previewWindow()->pageView()->isPicking());
    QVERIFY(Click(wizard, "page4CancelButton"));
    QTRY_VERIFY(!mWindow->previewWindow()->pageView()->isPicking());
    PointAt(*mWindow, chapter.page, line, false);
    QTest::qWait(50);
    QCOMPARE(selected.count(), 0);

    // Closing the wizard leaves no settings and lets it open again.
    QVERIFY(Click(wizard, "page3CloseButton"));
    QTRY_VERIFY(!Wizard(*mWindow));
    QVERIFY(!mWindow->actionRunner()->hasSettings());
    QVERIFY(mWindow->findChild<QAction*>(QStringLiteral("actionEditSettings"))->isEnabled());
}

void TestDesktopWindow::badInputGivesAMessageAndKeepsTheDocument()
{
    QVERIFY(mWindow->openFile(mSample));
    const QString text = mDir.filePath("notes.pdf");
    {
        QFile file(text);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("just some notes\n");
    }
    QString said;
    WhenModal("QMessageBox", [&said](QWidget* box) {
        said = static_cast<QMessageBox*>(box)->text();
        box->close();
    });
    QVERIFY(!mWindow->openFile(text));
    QVERIFY2(said.contains("not a PDF"), qPrintable(said));
    QCOMPARE(QFileInfo(mWindow->document()->path()).fileName(), QStringLiteral("manual.pdf"));

    // Run without settings says what to do first and changes nothing.
    said.clear();
    WhenModal("QMessageBox", [&said](QWidget* box) {
        said = static_cast<QMessageBox*>(box)->text();
        box->close();
    });
    mWindow->runAction();
    QVERIFY2(said.contains("Edit settings"), qPrintable(said));
    QVERIFY(!mWindow->isModified());
}

void TestDesktopWindow::passwordIsAskedForUntilRightOrCancelled()
{
    const QString qpdf = QStandardPaths::findExecutable("qpdf");
    if (qpdf.isEmpty())
        QSKIP("qpdf is not installed.");
    const QString locked = mDir.filePath("locked.pdf");
    QCOMPARE(QProcess::execute(qpdf, {"--encrypt", "secret", "owner", "256", "--", mSample, locked}), 0);

    // A wrong password, the message, then the user gives up.
    QString said;
    WhenModal("QInputDialog", [&](QWidget* dialog) {
        static_cast<QInputDialog*>(dialog)->setTextValue("guess");
        static_cast<QInputDialog*>(dialog)->accept();
        WhenModal("QMessageBox", [&](QWidget* box) {
            said = static_cast<QMessageBox*>(box)->text();
            box->close();
            WhenModal("QInputDialog", [](QWidget* again) { static_cast<QInputDialog*>(again)->reject(); });
        });
    });
    QVERIFY(!mWindow->openFile(locked));
    QVERIFY2(said.contains("wrong"), qPrintable(said));
    QVERIFY(!mWindow->document());

    WhenModal("QInputDialog", [](QWidget* dialog) {
        static_cast<QInputDialog*>(dialog)->setTextValue("secret");
        static_cast<QInputDialog*>(dialog)->accept();
    });
    QVERIFY(mWindow->openFile(locked));
    // The renderer's own instance opened it with the same password.
    QTRY_VERIFY(mWindow->previewWindow()->pageView()->isRendered(1));
}

void TestDesktopWindow::savingReplacesTheFileWhole()
{
    QVERIFY(mWindow->openFile(mSample));
    QString said;
    WhenModal("QMessageBox", [&said](QWidget* box) {
        said = static_cast<QMessageBox*>(box)->text();
        box->close();
    });
    QVERIFY(!mWindow->saveTo(mDir.filePath("missing/out.pdf")));
    QVERIFY2(said.contains("does not exist"), qPrintable(said));

    const QString copy = mDir.filePath("copy.pdf");
    QVERIFY(mWindow->saveTo(copy));
    QCOMPARE(QFileInfo(mWindow->document()->path()).fileName(), QStringLiteral("manual.pdf"));
    QVERIFY(mWindow->windowTitle().startsWith("copy.pdf"));
    QVERIFY(QDir(mDir.path()).entryList({"*.part"}, QDir::Files | QDir::Hidden).isEmpty());
    QCOMPARE(mWindow->findChild<RecentFiles*>()->files().value(0), copy);
    QCOMPARE(mWindow->findChild<RecentFiles*>()->files().value(1), QFileInfo(mSample).absoluteFilePath());
}

void TestDesktopWindow::thousandPagesScrollWithoutWaiting()
{
    const QString big = mDir.filePath("thousand.pdf");
    SamplePdf pdf;
    QFont heading("DejaVu Sans", 18, QFont::Bold);
    for (int page = 1; page <= 1000; ++page)
        pdf.drawText(page, QPointF(72, 90), QStringLiteral("Chapter %1").arg(page), heading);
    QVERIFY(pdf.write(big));

    QElapsedTimer clock;
    clock.start();
    QVERIFY(mWindow->openFile(big));
    const qint64 opening = clock.elapsed();
    PageView* view = mWindow->previewWindow()->pageView();
    QCOMPARE(view->pageCount(), 1000);
    QSignalSpy rendered(mWindow->previewWindow()->findChild<PageRenderer*>(), &PageRenderer::pageRendered);

    // Jumping through the document: the window answers at once, and only
    // pages that were on screen get rendered.
    qint64 slowest = 0;
    for (int page = 1; page <= 1000; page += 37) {
        clock.restart();
        view->goToPage(page);
        QApplication::processEvents();
        slowest = std::max(slowest, clock.elapsed());
    }
    view->goToPage(1000);
    QTRY_VERIFY(view->isRendered(1000));
    view->zoomIn();
    QTRY_VERIFY(view->isRendered(1000));
    qInfo("1000 pages: opened in %lld ms, slowest jump %lld ms, %d pages rendered", opening, slowest,
          static_cast<int>(rendered.count()));
    QVERIFY2(slowest < 100, qPrintable(QString::number(slowest)));
    QVERIFY(rendered.count() < 150);
}

int main(int argc, char* argv[])
{
    // Recent files and the wizard's remembered places go to a throw-away home.
    QTemporaryDir home;
    UseHome(home.path());
    QApplication app(argc, argv);
    TestDesktopWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktopwindow.moc"
