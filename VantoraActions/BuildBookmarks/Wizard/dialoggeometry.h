#pragma once

class QWidget;

// Where a dialog opened inside the host's preview window was last placed,
// kept per dialog object name in the settings folder's viewer settings file.
// Dialogs opened anywhere else keep no geometry.
class CDialogGeometry
{
public:
    CDialogGeometry() = delete;

    static void Restore(QWidget* dialog, const QWidget* previewWindow);
    static void Save(const QWidget* dialog, const QWidget* previewWindow);
};
