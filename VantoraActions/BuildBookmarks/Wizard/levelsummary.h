#pragma once

#include <QString>

// The one-line description of a level shown in the level table: only the
// criteria that are switched on, in the editor's order.
struct CLevelSummary
{
    bool fontName = false;
    QString fontNameText;

    bool fontSize = false;
    double size = 0.0;
    double sizeTolerance = 0.0;

    bool fontColor = false;
    QString colorText;

    bool leftIndent = false;
    double indent = 0.0;
    QString indentUnitText;
    double indentTolerance = 0.0;

    bool textMask = false;
    QString mask;

    bool keywordList = false;
    QString keywordFile;

    QString Text() const;
};
