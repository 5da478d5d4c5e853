#pragma once

#include "actionrecords.h"
#include "leveldefinition.h"

#include <QColor>

class Ui_BuildBookmarksPrefsDialog;

// Moves one level between the editor page's widgets and its keys in a
// settings map, and describes what the editor shows. The widgets belong to
// the wizard's form; this class only reads and sets them.
class CLevelEditor
{
public:
    // Row of "Custom..." in the colour picker, which has no "(none)" row.
    static constexpr int CustomColorRow = 10;

    explicit CLevelEditor(Ui_BuildBookmarksPrefsDialog& form);

    // Shows level N's entered keys; the indentation in its own stored unit.
    void Load(const ActionPrefs& prefs, int level);
    // Writes level N's entered and derived keys from the widgets.
    void Save(ActionPrefs& prefs, int level) const;

    // The level table's description of what the editor shows.
    QString SummaryText() const;

    // The one custom colour the wizard holds for "Custom...", with its swatch.
    QColor CustomColor() const;
    void SetCustomColor(const QColor& color);

    // Selects the font combo box entry with exactly this text, adding it
    // when the list lacks it.
    void SelectOrAddFontName(const QString& name);

private:
    CLevelDefinition Definition() const;
    QString ColorName() const;

    Ui_BuildBookmarksPrefsDialog& ui;
};
