#pragma once

#include "leveldefinition.h"

#include <QMap>
#include <QRegExp>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>

// One level's definition as the record test uses it, read from the settings
// map once per run, with its mask compiled and its keywords ready to look up.
// A rule whose switch is off is never consulted.
struct CLevelRules : CLevelDefinition
{
    QRegExp mask;            // compiled once; an invalid pattern matches nothing
    QSet<QString> keywords;  // without line ends

    static CLevelRules Read(const QMap<QString, QVariant>& settings, int level,
                            const QStringList& keywordList);
};
