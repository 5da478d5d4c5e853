#include "storedfilename.h"

#include <QCoreApplication>

namespace {

// Refused by at least one of the file systems the host runs on; lists and
// favourites are copied between machines, so refuse them everywhere.
const QString ForbiddenCharacters = QStringLiteral(":*?\"<>|");

// Most file systems limit one name to 255 bytes.
constexpr int MaximumFileNameBytes = 255;

QString tr(const char* text)
{
    return QCoreApplication::translate("CStoredFileName", text);
}

} // namespace

QString CStoredFileName::Problem(const QString& name, const QString& suffix)
{
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return tr("No / or \\ in a name.");
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return tr("A name cannot be . or ..");
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return tr("No control characters in a name.");
        if (ForbiddenCharacters.contains(c))
            return tr("No %1 in a name.").arg(c);
    }
    if ((name + suffix).toUtf8().size() > MaximumFileNameBytes)
        return tr("The name is too long.");
    return QString();
}

bool CStoredFileName::IsBlank(const QString& name)
{
    return name.simplified().remove(QLatin1Char(' ')).isEmpty();
}
