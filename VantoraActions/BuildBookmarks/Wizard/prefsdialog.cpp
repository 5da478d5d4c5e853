#include "prefsdialog.h"

#include "actionidentity.h"
#include "actionutils.h"
#include "dialoggeometry.h"
#include "indentationunits.h"
#include "settingskeys.h"
#include "ui_buildbookmarksprefsdialog.h"
#include "vantoraheaderbutton.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QTableWidgetItem>

using SettingsKeys::Level;

CPrefsDialog::CPrefsDialog(QWidget* parent, Qt::WindowFlags)
    : CVantoraDialog(parent, true)
    , ui(new Ui_BuildBookmarksPrefsDialog)
    , levelEditor(*ui)
{
    // The host sends selections through queued connections too.
    qRegisterMetaType<PDBookmarkSelectionRec>("PDBookmarkSelectionRec");
    ui->setupUi(this);

    titleLabel->setText(windowTitle());
    VDaddMainWidget(ui->main_widget, false);
    VDaddTopButtons();
    VDaddCloseButton();

    CActionUtils::SetupColorPickerComboBox(ui->fontColorComboBox, false);
    CActionUtils::SetupSystemFontsComboBox(ui->fontNameComboBox);

    ShowPage(LevelsPage);
    ui->page3LevelTableWidget->setHorizontalHeaderItem(0, new QTableWidgetItem(tr("Level")));
    ui->page3LevelTableWidget->setHorizontalHeaderItem(1, new QTableWidgetItem(tr("Properties")));

    editing = false;
    if (currentUnit == -1)
        currentUnit = IndentationUnits::Point;
    prefsLoaded = true;

    CDialogGeometry::Restore(this, previewWindow);
}

CPrefsDialog::~CPrefsDialog()
{
    SaveGeometry();
}

void CPrefsDialog::SetPrefs(QMap<QString, QVariant>* prefs)
{
    prefsLoaded = true;
    // The radio buttons exclude each other and "multi" starts checked, so the
    // wizard stays in multi-level mode whatever the map says.
    ui->nthRadioButton->setChecked(false);
    ui->multiRadioButton->setChecked(prefs->value(SettingsKeys::MultiChecked).toBool());

    ui->page2NthPageSpinBox->setValue(prefs->value(SettingsKeys::NthPage).toInt());
    ui->page3InsertionComboBox->setCurrentIndex(prefs->value(SettingsKeys::InsertionMode).toInt());
    ui->page3MagnificationComboBox->setCurrentIndex(
        prefs->value(SettingsKeys::ZoomSettings).toInt());
    ui->page3MagnificationSpinBox->setValue(prefs->value(SettingsKeys::ZoomValue).toInt());
    ui->page3CollapseBmkCheckBox->setChecked(prefs->value(SettingsKeys::CollapseBookmarks).toBool());
    ui->page3BmkExactTextCheckBox->setChecked(prefs->value(SettingsKeys::ExactText).toBool());

    for (int n = 1; n <= prefs->value(SettingsKeys::LevelCount).toInt(); ++n) {
        for (const SettingsKeys::LevelKeyInfo& key : SettingsKeys::LevelDefinitionKeys()) {
            const QString name = Level(key.base, n);
            workingMap.insert(name, SettingsKeys::Normalised(prefs->value(name), key.type));
        }
        AppendLevelRow(prefs->value(Level(SettingsKeys::Properties, n)).toString());
        // Through the combo box, so the unit shown and the unit the fields
        // are converted from never disagree.
        const int unit = prefs->value(Level(SettingsKeys::CurUnit, n)).toInt();
        if (IndentationUnits::IsUnit(unit))
            ui->intendationUnitComboBox->setCurrentIndex(unit);
    }
}

bool CPrefsDialog::GetPrefs(QMap<QString, QVariant>* prefs)
{
    if (!prefs)
        return false;

    InsertOptions(*prefs);
    // No path through the wizard leads to N-th page mode.
    prefs->insert(SettingsKeys::NthChecked, false);

    const QTableWidget* table = ui->page3LevelTableWidget;
    for (int row = 0; row < table->rowCount(); ++row) {
        const int n = row + 1;
        for (const SettingsKeys::LevelKeyInfo& key : SettingsKeys::LevelDefinitionKeys()) {
            const QString name = Level(key.base, n);
            prefs->insert(name, SettingsKeys::Normalised(workingMap.value(name), key.type));
        }
        const QTableWidgetItem* summary = table->item(row, 1);
        prefs->insert(Level(SettingsKeys::Properties, n), summary ? summary->text() : QString());
        prefs->insert(Level(SettingsKeys::CurUnit, n), currentUnit);
    }
    prefs->insert(SettingsKeys::ActionName, ActionIdentity::Name);
    return true;
}

int CPrefsDialog::exec()
{
    if (!prefsLoaded) {
        ShowPage(LevelsPage);
        move(pos());
    }
    return CVantoraDialog::exec();
}

bool CPrefsDialog::GetIsNth() const
{
    return ui->nthRadioButton->isChecked();
}

void CPrefsDialog::show()
{
    if (previewWindow) {
        connect(this, SIGNAL(initTool(int)), previewWindow, SLOT(on_InitBookmarkTool(int)),
                Qt::UniqueConnection);
        connect(this, SIGNAL(killTool()), previewWindow, SLOT(on_KillBookmarkTool()),
                Qt::UniqueConnection);
    }
    CVantoraDialog::show();
}

void CPrefsDialog::accept()
{
    QDialog::accept();
    if (!IsModeless())
        return;

    InsertOptions(workingMap);
    resultMap.insert(workingMap);
    SaveGeometry();
    emit sendPrefsData(resultMap);
    emit killTool();
    QDialog::accept();
    deleteLater();
}

void CPrefsDialog::reject()
{
    SaveGeometry();
    emit killTool();
    QDialog::reject();
    if (IsModeless())
        deleteLater();
}

void CPrefsDialog::doResolveNext()
{
    switch (ui->stackedWidget->currentIndex()) {
    case ChoosePage:
        if (ui->nthRadioButton->isChecked()) {
            ShowPage(NthPage);
        } else {
            ShowPage(LevelsPage);
            move(pos());
        }
        repaint();
        SetAddToActionListVisible(true);
        break;
    case LevelsPage:
        emit initTool(InstanceId());
        ShowPage(EditorPage);
        move(pos());
        repaint();
        SetAddToActionListVisible(false);
        break;
    case EditorPage:
        // Leaving the editor, saved or not: the next "Add Level" adds.
        editing = false;
        SaveGeometry();
        emit killTool();
        ShowPage(LevelsPage);
        move(pos());
        repaint();
        SetAddToActionListVisible(true);
        break;
    default:
        break;
    }
}

void CPrefsDialog::doCheckFontColorCombo(int inIndex)
{
    if (inIndex != CLevelEditor::CustomColorRow)
        return;
    const QColor color = QColorDialog::getColor(levelEditor.CustomColor(), this, QString(),
                                                QColorDialog::ColorDialogOptions());
    levelEditor.SetCustomColor(color);
}

void CPrefsDialog::doOpenFile()
{
    const QString locationKey = QStringLiteral("BookmarkAttributes::OpenFile");
    QString path = QFileDialog::getOpenFileName(this, tr("Select keyword file"),
                                                CActionUtils::GetLastVisitedLocation(locationKey),
                                                tr("TXT files (*.txt)"));
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.isEmpty())
        return;
    ui->keyListLineEdit->setText(path);
    CActionUtils::SaveLastVisitedLocation(locationKey,
                                          path.left(path.lastIndexOf(QLatin1Char('/'))));
}

void CPrefsDialog::doRemoveLevel()
{
    // Levels are positional: removing one renumbers those after it, whose
    // keys would then be wrong, so they go too. Their keys stay in the
    // working map; readers stop at LevelCount.
    QTableWidget* table = ui->page3LevelTableWidget;
    const int current = table->currentRow();
    for (int row = table->rowCount() - 1; row >= current && row >= 0; --row)
        table->removeRow(row);
}

void CPrefsDialog::doSaveSettings()
{
    QTableWidget* table = ui->page3LevelTableWidget;
    const int row = editing ? table->currentRow() : table->rowCount();
    levelEditor.Save(workingMap, row + 1);
    const QString summary = levelEditor.SummaryText();
    if (!editing)
        AppendLevelRow(summary);
    else if (row >= 0)
        SetSummary(row, summary);
    editing = false;
    doResolveNext();
}

void CPrefsDialog::doEditLevel()
{
    editing = true;
    levelEditor.Load(workingMap, ui->page3LevelTableWidget->currentRow() + 1);
    doResolveNext();
}

void CPrefsDialog::onSelChangePosUnit()
{
    const int unit = ui->intendationUnitComboBox->currentIndex();
    if (unit == currentUnit)
        return;
    QDoubleSpinBox* indent = ui->intendationDoubleSpinBox;
    QDoubleSpinBox* tolerance = ui->intendationToleranceDoubleSpinBox;
    indent->setValue(IndentationUnits::Convert(indent->value(), currentUnit, unit));
    tolerance->setValue(IndentationUnits::Convert(tolerance->value(), currentUnit, unit));
    ui->unitLabel->setText(IndentationUnits::LabelText(unit));
    currentUnit = unit;
}

void CPrefsDialog::doRowCheck()
{
    // Two selected cells: one whole row of the two-column table.
    ui->page3RemoveButton->setEnabled(ui->page3LevelTableWidget->selectedItems().count() == 2);
}

void CPrefsDialog::doZoomCheck()
{
    const int zoomRow = 1;
    ui->page3MagnificationSpinBox->setEnabled(ui->page3MagnificationComboBox->currentIndex()
                                             == zoomRow);
}

void CPrefsDialog::on_ReceiveParameters(PDBookmarkSelectionRec inRec)
{
    selectionFont = inRec.fontName;
    selectionSize = inRec.fontSize;
    selectionColor = QColor::fromRgb(inRec.color);

    if (ui->fontNameCheckBox->isChecked()) {
        // The host writes a style after a comma and quotes names with blanks;
        // the font list writes the style after a dash.
        QString name = selectionFont;
        name.replace(QLatin1Char(','), QLatin1Char('-'));
        if (name.startsWith(QLatin1Char('"')))
            name.remove(0, 1);
        levelEditor.SelectOrAddFontName(name);
    }
    if (ui->FontSizeCheckBox->isChecked())
        ui->fontSizeDoubleSpinBox->setValue(selectionSize);
    if (ui->leftIndentationCheckBox->isChecked()) {
        const int unit = ui->intendationUnitComboBox->currentIndex();
        ui->intendationDoubleSpinBox->setValue(
            IndentationUnits::Convert(inRec.left, IndentationUnits::Point, unit));
        ui->unitLabel->setText(IndentationUnits::LabelText(unit));
        currentUnit = unit;
    }
    if (ui->fontColorCheckBox->isChecked()) {
        const int row = CActionUtils::GetColorPickerIndex(selectionColor) - 1;
        ui->fontColorComboBox->setCurrentIndex(row);
        if (row == CLevelEditor::CustomColorRow)
            levelEditor.SetCustomColor(selectionColor);
    }
}

void CPrefsDialog::ShowPage(int page)
{
    ui->stackedWidget->setCurrentIndex(page);
}

void CPrefsDialog::SetAddToActionListVisible(bool visible)
{
    if (addToActionListButton)
        addToActionListButton->setVisible(visible);
}

void CPrefsDialog::AppendLevelRow(const QString& summary)
{
    QTableWidget* table = ui->page3LevelTableWidget;
    const int row = table->rowCount();
    table->insertRow(row);
    auto* level = new QTableWidgetItem(0);
    level->setData(Qt::DisplayRole, QStringLiteral("Level ") + QString::number(row + 1));
    table->setItem(row, 0, level);
    SetSummary(row, summary);
}

void CPrefsDialog::SetSummary(int row, const QString& summary)
{
    auto* item = new QTableWidgetItem(0);
    item->setData(Qt::DisplayRole, summary);
    ui->page3LevelTableWidget->setItem(row, 1, item);
}

void CPrefsDialog::InsertOptions(QMap<QString, QVariant>& prefs) const
{
    prefs.insert(SettingsKeys::NthChecked, ui->nthRadioButton->isChecked());
    prefs.insert(SettingsKeys::MultiChecked, ui->multiRadioButton->isChecked());
    prefs.insert(SettingsKeys::NthPage, ui->page2NthPageSpinBox->value());
    prefs.insert(SettingsKeys::LevelCount, ui->page3LevelTableWidget->rowCount());
    prefs.insert(SettingsKeys::InsertionMode, ui->page3InsertionComboBox->currentIndex());
    prefs.insert(SettingsKeys::ZoomSettings, ui->page3MagnificationComboBox->currentIndex());
    prefs.insert(SettingsKeys::ZoomValue, ui->page3MagnificationSpinBox->value());
    prefs.insert(SettingsKeys::CollapseBookmarks, ui->page3CollapseBmkCheckBox->isChecked());
    prefs.insert(SettingsKeys::ExactText, ui->page3BmkExactTextCheckBox->isChecked());
}

void CPrefsDialog::SaveGeometry() const
{
    CDialogGeometry::Save(this, previewWindow);
}

bool CPrefsDialog::IsModeless() const
{
    return windowModality() == Qt::NonModal;
}

int CPrefsDialog::InstanceId() const
{
    return static_cast<int>(static_cast<quint32>(reinterpret_cast<quintptr>(this)));
}
