#pragma once

#include <QMap>
#include <QString>
#include <QVariant>

// One heading level as a settings map holds it: what the level editor enters
// and the values derived from that (colour as #rrggbb, indentation in points).
// The engine, the wizard and the hosts all read and write a level through it.
struct CLevelDefinition
{
    bool fontNameCheck = false;
    QString fontName;

    bool fontSizeCheck = false;
    double fontSize = 0.0;
    double fontSizeTolerance = 0.0;

    bool colourCheck = false;
    int colourRow = 0;  // the editor's colour combo box row
    QString colour;     // derived: #rrggbb

    bool leftIndentCheck = false;
    double leftIndentValue = 0.0;      // in leftIndentUnit
    double leftIndentTolerance = 0.0;  // in leftIndentUnit
    int leftIndentUnit = 0;
    double leftIndent = 0.0;           // derived: points
    double leftIndentTolerancePoints = 0.0;

    bool textMaskCheck = false;
    QString textMask;

    bool keywordListCheck = false;
    bool includeKeywords = false;
    QString keywordFile;

    bool ignoreRepeated = false;
    bool multiLine = false;
    int leadingNumbers = 0;  // 0 leave, 1 add, 2 remove

    static CLevelDefinition Read(const QMap<QString, QVariant>& settings, int level);
    // Writes the entered and the derived keys of level `level`.
    void Write(QMap<QString, QVariant>& settings, int level) const;

    // The one-line description of the level table: only the criteria that are
    // switched on, in the editor's order, with the colour and the unit named
    // as the editor shows them.
    QString Summary(const QString& colourText, const QString& unitText) const;
};
