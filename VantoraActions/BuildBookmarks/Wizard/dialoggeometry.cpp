#include "dialoggeometry.h"

#include "actionutils.h"

#include <QSettings>
#include <QWidget>

namespace {

bool InPreviewWindow(const QWidget* previewWindow)
{
    return previewWindow
           && previewWindow->objectName() == QLatin1String("VantoraPreviewClass");
}

QString SettingsFile()
{
    return CActionUtils::GetSettingsFolder() + QStringLiteral("/VantoraViewerSettings.vsf");
}

QString Key(const QWidget* dialog)
{
    return dialog->objectName() + QStringLiteral("geometry");
}

} // namespace

void CDialogGeometry::Restore(QWidget* dialog, const QWidget* previewWindow)
{
    if (!InPreviewWindow(previewWindow))
        return;
    const QSettings settings(SettingsFile(), QSettings::IniFormat);
    dialog->restoreGeometry(settings.value(Key(dialog)).toByteArray());
}

void CDialogGeometry::Save(const QWidget* dialog, const QWidget* previewWindow)
{
    if (!InPreviewWindow(previewWindow))
        return;
    QSettings settings(SettingsFile(), QSettings::IniFormat);
    settings.setValue(Key(dialog), dialog->saveGeometry());
}
