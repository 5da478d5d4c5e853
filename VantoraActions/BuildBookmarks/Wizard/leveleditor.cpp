#include "leveleditor.h"

#include "actionutils.h"
#include "indentationunits.h"
#include "ui_buildbookmarksprefsdialog.h"

#include <QPainter>
#include <QPixmap>

CLevelEditor::CLevelEditor(Ui_BuildBookmarksPrefsDialog& form)
    : ui(form)
{
}

void CLevelEditor::Load(const ActionPrefs& prefs, int level)
{
    const CLevelDefinition d = CLevelDefinition::Read(prefs, level);

    ui.fontNameCheckBox->setChecked(d.fontNameCheck);
    // Row -1 when the font is not listed: the editable text empties.
    ui.fontNameComboBox->setCurrentIndex(
        ui.fontNameComboBox->findText(d.fontName, Qt::MatchExactly | Qt::MatchCaseSensitive));
    ui.FontSizeCheckBox->setChecked(d.fontSizeCheck);
    ui.fontSizeDoubleSpinBox->setValue(d.fontSize);
    ui.fontToleranceDoubleSpinBox->setValue(d.fontSizeTolerance);
    ui.fontColorCheckBox->setChecked(d.colourCheck);
    ui.fontColorComboBox->setCurrentIndex(d.colourRow);

    ui.leftIndentationCheckBox->setChecked(d.leftIndentCheck);
    // The unit first: changing it converts whatever the fields show, and the
    // stored values are already in the stored unit.
    ui.intendationUnitComboBox->setCurrentIndex(d.leftIndentUnit);
    ui.intendationDoubleSpinBox->setValue(d.leftIndentValue);
    ui.intendationToleranceDoubleSpinBox->setValue(d.leftIndentTolerance);

    ui.textMaskCheckBox->setChecked(d.textMaskCheck);
    ui.maskLineEdit->setText(d.textMask);
    ui.keywordsListCheckBox->setChecked(d.keywordListCheck);
    ui.includeRadioButton->setChecked(d.includeKeywords);
    ui.exludeRadioButton->setChecked(!d.includeKeywords);
    ui.keyListLineEdit->setText(d.keywordFile);
    ui.ignoreHeadingsCheckBox->setChecked(d.ignoreRepeated);
    ui.multiHeadingsCheckBox->setChecked(d.multiLine);
    ui.leadingNumbersComboBox->setCurrentIndex(d.leadingNumbers);
}

void CLevelEditor::Save(ActionPrefs& prefs, int level) const
{
    Definition().Write(prefs, level);
}

QString CLevelEditor::SummaryText() const
{
    return Definition().Summary(ui.fontColorComboBox->currentText(), ui.intendationUnitComboBox->currentText());
}

CLevelDefinition CLevelEditor::Definition() const
{
    CLevelDefinition d;
    d.fontNameCheck = ui.fontNameCheckBox->isChecked();
    d.fontName = ui.fontNameComboBox->currentText();
    d.fontSizeCheck = ui.FontSizeCheckBox->isChecked();
    d.fontSize = ui.fontSizeDoubleSpinBox->value();
    d.fontSizeTolerance = ui.fontToleranceDoubleSpinBox->value();
    d.colourCheck = ui.fontColorCheckBox->isChecked();
    d.colourRow = ui.fontColorComboBox->currentIndex();
    d.colour = ColorName();

    d.leftIndentCheck = ui.leftIndentationCheckBox->isChecked();
    d.leftIndentUnit = ui.intendationUnitComboBox->currentIndex();
    d.leftIndentValue = ui.intendationDoubleSpinBox->value();
    d.leftIndentTolerance = ui.intendationToleranceDoubleSpinBox->value();
    d.leftIndent = IndentationUnits::ToPoints(d.leftIndentValue, d.leftIndentUnit);
    d.leftIndentTolerancePoints = IndentationUnits::ToPoints(d.leftIndentTolerance, d.leftIndentUnit);

    d.textMaskCheck = ui.textMaskCheckBox->isChecked();
    d.textMask = ui.maskLineEdit->text();
    d.keywordListCheck = ui.keywordsListCheckBox->isChecked();
    d.includeKeywords = ui.includeRadioButton->isChecked();
    d.keywordFile = ui.keyListLineEdit->text();
    d.ignoreRepeated = ui.ignoreHeadingsCheckBox->isChecked();
    d.multiLine = ui.multiHeadingsCheckBox->isChecked();
    d.leadingNumbers = ui.leadingNumbersComboBox->currentIndex();
    return d;
}

QColor CLevelEditor::CustomColor() const
{
    return ui.fontColorComboBox->itemData(CustomColorRow, Qt::UserRole).value<QColor>();
}

void CLevelEditor::SetCustomColor(const QColor& color)
{
    QComboBox* combo = ui.fontColorComboBox;
    combo->setItemData(CustomColorRow, color, Qt::UserRole);

    const int side = combo->iconSize().height();
    QPixmap swatch(side, side);
    swatch.fill(color);
    QPainter painter(&swatch);
    painter.drawRect(0, 0, side - 2, side - 2);
    painter.end();
    combo->setItemIcon(CustomColorRow, QIcon(swatch));
}

void CLevelEditor::SelectOrAddFontName(const QString& name)
{
    QComboBox* combo = ui.fontNameComboBox;
    int row = combo->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (row < 0) {
        combo->addItem(name);
        row = combo->count() - 1;
    }
    combo->setCurrentIndex(row);
}

QString CLevelEditor::ColorName() const
{
    const int row = ui.fontColorComboBox->currentIndex();
    if (row == CustomColorRow)
        return CustomColor().name();
    // The picker's colour table counts a "(none)" row this combo box lacks.
    return CActionUtils::GetColorPickerColor(row + 1).name();
}
