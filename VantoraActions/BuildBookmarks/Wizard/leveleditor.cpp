#include "leveleditor.h"

#include "actionutils.h"
#include "indentationunits.h"
#include "settingskeys.h"
#include "ui_buildbookmarksprefsdialog.h"

#include <QPainter>
#include <QPixmap>

using SettingsKeys::Level;

CLevelEditor::CLevelEditor(Ui_BuildBookmarksPrefsDialog& form)
    : ui(form)
{
}

void CLevelEditor::Load(const ActionPrefs& prefs, int level)
{
    auto value = [&](const QString& base) { return prefs.value(Level(base, level)); };

    ui.fontNameCheckBox->setChecked(value(SettingsKeys::FontNameCheck).toBool());
    // Row -1 when the font is not listed: the editable text empties.
    ui.fontNameComboBox->setCurrentIndex(
        ui.fontNameComboBox->findText(value(SettingsKeys::FontNameCombo).toString(),
                                      Qt::MatchExactly | Qt::MatchCaseSensitive));
    ui.FontSizeCheckBox->setChecked(value(SettingsKeys::FontSizeCheck).toBool());
    ui.fontSizeDoubleSpinBox->setValue(value(SettingsKeys::FontSizeValue).toDouble());
    ui.fontToleranceDoubleSpinBox->setValue(value(SettingsKeys::FontSizeTolerance).toDouble());
    ui.fontColorCheckBox->setChecked(value(SettingsKeys::FontColorCheck).toBool());
    ui.fontColorComboBox->setCurrentIndex(value(SettingsKeys::FontColor).toInt());

    ui.leftIndentationCheckBox->setChecked(value(SettingsKeys::LeftIndentCheck).toBool());
    // The unit first: changing it converts whatever the fields show, and the
    // stored values are already in the stored unit.
    ui.intendationUnitComboBox->setCurrentIndex(value(SettingsKeys::LeftIndentUnits).toInt());
    ui.intendationDoubleSpinBox->setValue(value(SettingsKeys::LeftIndentValue).toDouble());
    ui.intendationToleranceDoubleSpinBox->setValue(
        value(SettingsKeys::LeftIndentTolerance).toDouble());

    ui.textMaskCheckBox->setChecked(value(SettingsKeys::TextMaskCheck).toBool());
    ui.maskLineEdit->setText(value(SettingsKeys::TextMaskEdit).toString());
    ui.keywordsListCheckBox->setChecked(value(SettingsKeys::KeywordListCheck).toBool());
    const bool include = value(SettingsKeys::IncludeRadio).toBool();
    ui.includeRadioButton->setChecked(include);
    ui.exludeRadioButton->setChecked(!include);
    ui.keyListLineEdit->setText(value(SettingsKeys::KeyListEdit).toString());
    ui.ignoreHeadingsCheckBox->setChecked(value(SettingsKeys::RepeatedHeadings).toBool());
    ui.multiHeadingsCheckBox->setChecked(value(SettingsKeys::MultiLineHeadings).toBool());
    ui.leadingNumbersComboBox->setCurrentIndex(value(SettingsKeys::LeadingNumbers).toInt());
}

void CLevelEditor::Save(ActionPrefs& prefs, int level) const
{
    auto set = [&](const QString& base, const QVariant& v) { prefs.insert(Level(base, level), v); };

    set(SettingsKeys::FontNameCheck, ui.fontNameCheckBox->isChecked());
    set(SettingsKeys::FontNameCombo, ui.fontNameComboBox->currentText());
    set(SettingsKeys::FontSizeCheck, ui.FontSizeCheckBox->isChecked());
    set(SettingsKeys::FontSizeValue, ui.fontSizeDoubleSpinBox->value());
    set(SettingsKeys::FontSizeTolerance, ui.fontToleranceDoubleSpinBox->value());
    set(SettingsKeys::FontColorCheck, ui.fontColorCheckBox->isChecked());
    set(SettingsKeys::FontColor, ui.fontColorComboBox->currentIndex());
    set(SettingsKeys::ColorInHex, ColorName());

    const int unit = ui.intendationUnitComboBox->currentIndex();
    const double indent = ui.intendationDoubleSpinBox->value();
    const double tolerance = ui.intendationToleranceDoubleSpinBox->value();
    set(SettingsKeys::LeftIndentCheck, ui.leftIndentationCheckBox->isChecked());
    set(SettingsKeys::LeftIndentValue, indent);
    set(SettingsKeys::LeftIndentUnits, unit);
    set(SettingsKeys::LeftIndentTolerance, tolerance);
    set(SettingsKeys::LeftIndentToPoints, IndentationUnits::ToPoints(indent, unit));
    set(SettingsKeys::LeftIndentToleranceToPoints, IndentationUnits::ToPoints(tolerance, unit));

    set(SettingsKeys::TextMaskCheck, ui.textMaskCheckBox->isChecked());
    set(SettingsKeys::TextMaskEdit, ui.maskLineEdit->text());
    set(SettingsKeys::KeywordListCheck, ui.keywordsListCheckBox->isChecked());
    set(SettingsKeys::IncludeRadio, ui.includeRadioButton->isChecked());
    set(SettingsKeys::KeyListEdit, ui.keyListLineEdit->text());
    set(SettingsKeys::RepeatedHeadings, ui.ignoreHeadingsCheckBox->isChecked());
    set(SettingsKeys::MultiLineHeadings, ui.multiHeadingsCheckBox->isChecked());
    set(SettingsKeys::LeadingNumbers, ui.leadingNumbersComboBox->currentIndex());
}

CLevelSummary CLevelEditor::Summary() const
{
    CLevelSummary summary;
    summary.fontName = ui.fontNameCheckBox->isChecked();
    summary.fontNameText = ui.fontNameComboBox->currentText();
    summary.fontSize = ui.FontSizeCheckBox->isChecked();
    summary.size = ui.fontSizeDoubleSpinBox->value();
    summary.sizeTolerance = ui.fontToleranceDoubleSpinBox->value();
    summary.fontColor = ui.fontColorCheckBox->isChecked();
    summary.colorText = ui.fontColorComboBox->currentText();
    summary.leftIndent = ui.leftIndentationCheckBox->isChecked();
    summary.indent = ui.intendationDoubleSpinBox->value();
    summary.indentUnitText = ui.intendationUnitComboBox->currentText();
    summary.indentTolerance = ui.intendationToleranceDoubleSpinBox->value();
    summary.textMask = ui.textMaskCheckBox->isChecked();
    summary.mask = ui.maskLineEdit->text();
    summary.keywordList = ui.keywordsListCheckBox->isChecked();
    summary.keywordFile = ui.keyListLineEdit->text();
    return summary;
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
