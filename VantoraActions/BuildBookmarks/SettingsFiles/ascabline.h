#pragma once

#include <QChar>
#include <QString>

#include <optional>

// One entry of a foreign bookmark-settings file. A line reads
//   <opening char><name><level char><closing char>[/??<value>??[/...
// and is cut by position only: nothing but the lengths is checked.
struct CASCabLine
{
    QString name;
    QChar level;
    QString value;

    // Empty when the part before "[/" is too short to hold the opening,
    // level and closing characters (a blank line, for one).
    static std::optional<CASCabLine> Parse(const QString& line);
};
