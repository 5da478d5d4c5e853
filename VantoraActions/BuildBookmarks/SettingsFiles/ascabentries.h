#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QVariant>

struct CASCabLine;

// What each entry name of a foreign settings file becomes in the settings
// map: the keys it fills and how its value text is converted.
class CASCabEntries
{
public:
    CASCabEntries() = delete;

    enum class Conversion {
        TrueText, // "true" exactly gives true, anything else false
        Integer,  // toInt, 0 when not a number
        Number,   // toDouble, 0 when not a number
        Quoted,   // first and last character dropped
    };
    enum class Scope { Level, TopLevel };

    struct Rule
    {
        QString name;
        // One key, or two filled with the same value.
        QStringList keys;
        Scope scope;
        Conversion conversion;
    };

    static const QList<Rule>& Rules();

    // Writes the keys of the entry's rule; an unknown name writes nothing.
    // Returns whether the name was known.
    static bool Apply(const CASCabLine& entry, QMap<QString, QVariant>* map);

    static QVariant Converted(const QString& value, Conversion conversion);
};
