#include "outlineitem.h"

#include <QStringList>

namespace {

const QStringList KindNames{{}, "XYZ", "Fit", "FitH", "FitV", "FitR", "FitB"};

} // namespace

QString OutlineDestination::kindName(Kind kind)
{
    return KindNames.value(kind);
}

OutlineDestination::Kind OutlineDestination::kindNamed(const QString& name)
{
    const int index = name.isEmpty() ? -1 : KindNames.indexOf(name);
    return index > 0 ? static_cast<Kind>(index) : None;
}

QList<int> OutlineDestination::coordinatesOf(Kind kind)
{
    switch (kind) {
    case XYZ:
        return {0, 1};
    case FitH:
        return {1};
    case FitV:
        return {0};
    case FitR:
        return {0, 1, 2, 3};
    default:
        return {};
    }
}

QString OutlineDestination::coordinateName(int index)
{
    static const QStringList names{"left", "top", "right", "bottom"};
    return names.value(index);
}
