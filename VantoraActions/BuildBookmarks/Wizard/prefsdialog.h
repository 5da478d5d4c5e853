#pragma once

#include "bookmarkselectionrec.h"
#include "leveleditor.h"
#include "vantoradialog.h"

#include <QColor>
#include <QMap>
#include <QString>
#include <QVariant>

#include <memory>

class Ui_BuildBookmarksPrefsDialog;

// The Build Bookmarks wizard: the level definitions page with the action's
// options, and the level editor page. Used modally by the dialog procedure,
// which loads and reads the settings map, or modelessly as a tool of the
// host's preview window, which it hands the finished map by signal.
class CPrefsDialog : public CVantoraDialog
{
    Q_OBJECT

public:
    // The window flags are not used: the frame decides its own.
    CPrefsDialog(QWidget* parent, Qt::WindowFlags flags);
    ~CPrefsDialog() override;

    void SetPrefs(QMap<QString, QVariant>* prefs);
    bool GetPrefs(QMap<QString, QVariant>* prefs);
    int exec() override;
    bool GetIsNth() const;
    // Shows level N of the working map in the level editor, colour left out.
    void LoadLevelFromINI(int level);

signals:
    void initTool(int instance);
    void killTool();
    void sendPrefsData(QMap<QString, QVariant> prefs);

public slots:
    void accept() override;
    void reject() override;
    void show();
    void doResolveNext();
    void doCheckFontColorCombo(int inIndex);
    void doOpenFile();
    void doRemoveLevel();
    void doSaveSettings();
    void doEditLevel();
    void onSelChangePosUnit();
    void doRowCheck();
    void doZoomCheck();
    void doImport();
    void doExport();
    void on_ReceiveParameters(PDBookmarkSelectionRec inRec);
    void on_VDShowSaveDialog();
    void on_VDShowSaveCollectionDialog();

private:
    enum Page { ChoosePage = 0, NthPage = 1, LevelsPage = 2, EditorPage = 3 };

    void ShowPage(int page);
    void SetAddToActionListVisible(bool visible);
    void AppendLevelRow(const QString& summary);
    void SetSummary(int row, const QString& summary);
    void InsertOptions(QMap<QString, QVariant>& prefs) const;
    void SaveGeometry() const;
    bool IsModeless() const;
    int InstanceId() const;

    std::unique_ptr<Ui_BuildBookmarksPrefsDialog> ui;
    CLevelEditor levelEditor;
    QMap<QString, QVariant> workingMap;
    int currentUnit = 2;
    bool prefsLoaded = false;
    bool editing = false;
    QString selectionFont;
    double selectionSize = 0.0;
    QColor selectionColor;
    QMap<QString, QVariant> resultMap;
};
