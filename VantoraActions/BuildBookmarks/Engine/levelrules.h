#pragma once

#include <QMap>
#include <QRegExp>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>

// One level's definition as the record test uses it, read from the settings
// map once per run. A rule whose switch is off is never consulted.
struct CLevelRules
{
    bool fontNameCheck = false;
    QString fontName;

    bool fontSizeCheck = false;
    double fontSize = 0.0;
    double fontSizeTolerance = 0.0;

    bool colourCheck = false;
    QString colour;

    bool leftIndentCheck = false;
    double leftIndent = 0.0;  // points

    bool textMaskCheck = false;
    QRegExp textMask;  // compiled once; an invalid pattern matches nothing

    bool keywordListCheck = false;
    bool includeKeywords = false;
    QSet<QString> keywords;  // without line ends

    bool ignoreRepeated = false;
    bool multiLine = false;
    int leadingNumbers = 0;  // 0 leave, 1 add, 2 remove

    static CLevelRules Read(const QMap<QString, QVariant>& settings, int level,
                            const QStringList& keywordList);
};
