#include "ascabline.h"

#include <QStringList>

namespace {

const QString Separator = QStringLiteral("[/");

} // namespace

std::optional<CASCabLine> CASCabLine::Parse(const QString& line)
{
    const QStringList parts = line.split(Separator);
    const QString head = parts.at(0);
    const QString tail = parts.size() > 1 ? parts.at(1) : QString();

    // Opening character, at least the level character, closing character.
    if (head.size() < 3)
        return std::nullopt;
    const QString nameAndLevel = head.mid(1, head.size() - 2);

    CASCabLine entry;
    entry.level = nameAndLevel.back();
    entry.name = nameAndLevel.chopped(1);
    // Two characters either side of the value; the last is the line feed.
    if (tail.size() > 4)
        entry.value = tail.mid(2, tail.size() - 4);
    return entry;
}
