#include "actionwindowicon.h"

#include <QPixmap>

QIcon CActionWindowIcon::FromIconNames(const QString& names)
{
    const QString prefix = QStringLiteral(":/Vantora/Resources/Tools/");
    const QString normal = prefix + names.section(QLatin1Char('#'), 0, 0);
    const QString selected = prefix + names.section(QLatin1Char('#'), 1, 1);
    const QString disabled = prefix + names.section(QLatin1Char('#'), 2, 2);

    // A bare prefix names no image: its pixmap is null and adds nothing.
    QIcon icon;
    icon.addPixmap(QPixmap(selected), QIcon::Selected, QIcon::Off);
    icon.addPixmap(QPixmap(selected), QIcon::Active, QIcon::Off);
    icon.addPixmap(QPixmap(disabled), QIcon::Disabled, QIcon::Off);
    icon.addPixmap(QPixmap(normal), QIcon::Normal, QIcon::Off);
    return icon;
}
