#pragma once

#include "actionrecords.h"
#include "runundo.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class ActionRunner;
class OpenDocument;
class OutlinePanel;
class PreviewWindow;
class QAction;
class QLabel;
class QMessageBox;
class QProgressDialog;
class QSpinBox;
class RecentFiles;

// The desktop host's main window: one open document shown in the preview,
// its bookmarks beside it, and the loaded action in the Actions menu.
class DesktopWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit DesktopWindow(const QString& pluginPath, QWidget* parent = nullptr);
    ~DesktopWindow() override;

    PreviewWindow* previewWindow() const { return mPreview; }
    OutlinePanel* outlinePanel() const { return mOutline; }
    ActionRunner* actionRunner() const { return mRunner; }
    OpenDocument* document() const { return mDocument.get(); }
    bool isModified() const { return mModified; }

public slots:
    // Each answers false, after telling the user why, when nothing was done.
    bool openFile(const QString& path);
    bool save();
    bool saveAs();
    bool saveTo(const QString& path);
    // Opens the wizard: at its defaults, or loaded with the settings there
    // are, picking from the page still possible.
    void editSettings();
    // Asks for N and runs N-th page mode, which the wizard does not offer.
    void bookmarkEveryNthPage();
    void suggestLevels();
    void runAction();
    void undoRun();

signals:
    void documentOpened(const QString& path);
    void runFinished(int result);

protected:
    void closeEvent(QCloseEvent* event) override;
    // Lets the undo shortcut reach the window from any widget in it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void chooseFile();
    void onRunFinished(int result, const QStringList& messages);
    void onSettingsReceived(const ActionPrefs& prefs);
    void onPagesKnown(int count, bool all);
    void onSettingsDialogClosed();
    void showCurrentPage(int page);

private:
    void createActions();
    void createActionsMenu();
    void updateState();
    // Asks what to do with unsaved changes; false when the user cancels.
    bool maySetDocumentAside();
    void refreshOutline();
    // A run that built nothing is taken back, and the user is told why.
    void takeBackEmptyRun();
    // While the modal wizard is open, the document stays.
    bool settingsInTheWay();
    void editInModalWizard(ActionPrefs prefs);

    QString mPluginPath;
    std::unique_ptr<OpenDocument> mDocument;
    QString mPath;
    QString mPassword;
    bool mModified = false;
    bool mModifiedBeforeRun = false;
    int mBookmarksBeforeRun = 0;
    RunUndo mUndo;

    PreviewWindow* mPreview;
    OutlinePanel* mOutline;
    ActionRunner* mRunner;
    RecentFiles* mRecent = nullptr;
    QPointer<QProgressDialog> mProgress;
    QPointer<QMessageBox> mEmptyRunMessage;
    QString mPreviewHint;
    bool mSettingsOpen = false;

    QAction* mSaveAction = nullptr;
    QAction* mSaveAsAction = nullptr;
    QAction* mCloseAction = nullptr;
    QAction* mUndoAction = nullptr;
    QAction* mEditSettingsAction = nullptr;
    QAction* mRunAction = nullptr;
    QAction* mEveryNthPageAction = nullptr;
    QAction* mSuggestLevelsAction = nullptr;
    QList<QAction*> mViewActions;
    QSpinBox* mPageBox = nullptr;
    QLabel* mPageCount = nullptr;
    QLabel* mZoomLabel = nullptr;
};
