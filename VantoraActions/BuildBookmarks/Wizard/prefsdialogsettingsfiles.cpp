// The wizard's settings files and save dialogs: Export and Import of the
// level definitions, and the header buttons that save the current settings
// as an action list step or a favourite.

#include "prefsdialog.h"

#include "actionutils.h"
#include "indentationunits.h"
#include "saveasactionlistdialog.h"
#include "saveascollectiondialog.h"
#include "settingsexportfile.h"
#include "settingskeys.h"
#include "ui_buildbookmarksprefsdialog.h"

#include <QFileDialog>

using SettingsKeys::Level;

namespace {

const QString ImportLocation = QStringLiteral("BookmarkSettings::OpenFile");
const QString ExportLocation = QStringLiteral("BookmarkSettings::SaveFile");

QString FolderOf(const QString& path)
{
    return path.left(path.lastIndexOf(QLatin1Char('/')));
}

} // namespace

void CPrefsDialog::doExport()
{
    QString path = QFileDialog::getSaveFileName(this, tr("Export settings as.."),
                                                CActionUtils::GetLastVisitedLocation(ExportLocation),
                                                tr("INI files (*.ini)"));
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.isEmpty())
        return;
    CActionUtils::SaveLastVisitedLocation(ExportLocation, FolderOf(path));
    InsertOptions(workingMap);
    CSettingsExportFile::Write(path, workingMap);
}

void CPrefsDialog::doImport()
{
    QString path = QFileDialog::getOpenFileName(this, tr("Select settings file"),
                                                CActionUtils::GetLastVisitedLocation(ImportLocation),
                                                tr("INI files (*.ini)"));
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.isEmpty())
        return;
    CActionUtils::SaveLastVisitedLocation(ImportLocation, FolderOf(path));

    QTableWidget* table = ui->page3LevelTableWidget;
    while (table->rowCount() > 0)
        table->removeRow(table->rowCount() - 1);
    CSettingsExportFile::Import(path, workingMap);

    const int levelCount = workingMap.value(SettingsKeys::LevelCount).toInt();
    for (int n = 1; n <= levelCount; ++n) {
        LoadLevelFromINI(n);
        AppendLevelRow(levelEditor.SummaryText());
        const int unit = workingMap.value(Level(SettingsKeys::CurUnit, n)).toInt();
        if (IndentationUnits::IsUnit(unit))
            ui->intendationUnitComboBox->setCurrentIndex(unit);
    }

    ui->page3InsertionComboBox->setCurrentIndex(workingMap.value(SettingsKeys::InsertionMode).toInt());
    ui->page3MagnificationComboBox->setCurrentIndex(workingMap.value(SettingsKeys::ZoomSettings).toInt());
    ui->page3MagnificationSpinBox->setValue(workingMap.value(SettingsKeys::ZoomValue).toInt());
    ui->page3CollapseBmkCheckBox->setChecked(workingMap.value(SettingsKeys::CollapseBookmarks).toBool());
    ui->page3BmkExactTextCheckBox->setChecked(workingMap.value(SettingsKeys::ExactText).toBool());
}

void CPrefsDialog::LoadLevelFromINI(int level)
{
    levelEditor.Load(workingMap, level);
    // The colour criterion stays in the map; the editor and the rebuilt
    // summary leave it out.
    ui->fontColorCheckBox->setChecked(false);
    ui->fontColorComboBox->setCurrentIndex(0);
}

void CPrefsDialog::on_VDShowSaveDialog()
{
    CSaveAsActionlistDialog dialog(this, {});
    dialog.setWindowFlags(dialog.windowFlags() & ~Qt::WindowContextHelpButtonHint);
    QMap<QString, QVariant> prefs;
    GetPrefs(&prefs);
    dialog.LoadPrefsData(&prefs);
    dialog.exec();
}

void CPrefsDialog::on_VDShowSaveCollectionDialog()
{
    CSaveAsCollectionDialog dialog(this, {});
    dialog.setWindowFlags(dialog.windowFlags() & ~Qt::WindowContextHelpButtonHint);
    QMap<QString, QVariant> prefs;
    GetPrefs(&prefs);
    dialog.LoadPrefsData(&prefs);
    QIcon icon;
    icon.addPixmap(windowIcon().pixmap(QSize(128, 128), QIcon::Selected, QIcon::Off));
    dialog.SetCollectionIcon(icon);
    dialog.exec();
    // The plain base: the favourite ends the wizard without saving geometry
    // or telling the host's window.
    QDialog::reject();
}
