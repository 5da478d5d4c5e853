#include "keptsettings.h"

#include "hostsettings.h"

#include <QCryptographicHash>
#include <QFileInfo>

namespace {

// A path holds characters INI keys do not take; its hash does not.
QString KeyOf(const QString& documentPath)
{
    const QByteArray path = QFileInfo(documentPath).absoluteFilePath().toUtf8();
    return QStringLiteral("KeptSettings/")
        + QString::fromLatin1(QCryptographicHash::hash(path, QCryptographicHash::Sha1).toHex());
}

} // namespace

ActionPrefs KeptSettings::read(const QString& documentPath)
{
    return HostSettings().value(KeyOf(documentPath)).toMap();
}

void KeptSettings::keep(const QString& documentPath, const ActionPrefs& prefs)
{
    HostSettings().setValue(KeyOf(documentPath), prefs);
}
