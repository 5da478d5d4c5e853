#pragma once

#include "framelesshandler.h"

#include <QDialog>

class CVantoraHeaderButton;
class QFrame;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QVBoxLayout;

// The frame every dialog of the action runs in: a grey, borderless window
// with its own 30-pixel header (product prefix, title, header buttons) above
// the dialog's form. The embedded handler moves it by the header and resizes
// it by its edges. Its colours and prefix follow the host window it was
// opened from, found by object name among its ancestors.
//
// Subclasses set up their form on themselves, put windowTitle() into
// titleLabel and call VDaddMainWidget(); those that call VDaddTopButtons()
// must provide the slots on_VDShowSaveDialog() and
// on_VDShowSaveCollectionDialog().
class CVantoraDialog : public QDialog
{
    Q_OBJECT

public:
    CVantoraDialog(QWidget* parent, bool flag);
    ~CVantoraDialog() override;

    void VDaddMainWidget(QWidget* widget, bool fixedSize);
    void VDaddCloseButton();
    void VDaddTopButtons();
    void VDhideAddToActionListButton();

public slots:
    int exec() override;

protected:
    // Fixes the translucency answer instead of probing OpenGL, for callers
    // that must not depend on the machine's graphics.
    enum class Translucency { Probe, Off, On };
    CVantoraDialog(QWidget* parent, bool flag, Translucency translucency);

    CVantoraHeaderButton* addToActionListButton = nullptr;
    QLabel* titleLabel = nullptr;
    QWidget* previewWindow = nullptr;

private:
    enum class HostWindow { None, Main, Preview };
    struct ShadowFrame;

    HostWindow findHostWindow(QObject* parent);
    void VDaddShadowFrames(int first, int last);
    void VDaddMainFrame(HostWindow host);

    CFramelessHandler framelessHandler;
    bool creationFlag;

    CVantoraHeaderButton* closeButton = nullptr;
    CVantoraHeaderButton* addToCollectionsButton = nullptr;
    QGridLayout* gridLayout = nullptr;

    QFrame* VDshadowTopLeft = nullptr;
    QFrame* VDshadowTop = nullptr;
    QFrame* VDshadowTopRight = nullptr;
    QFrame* VDshadowLeft = nullptr;
    QFrame* VDshadowRight = nullptr;
    QFrame* VDshadowBtmLeft = nullptr;
    QFrame* VDshadowBtm = nullptr;
    QFrame* VDshadowBtmRight = nullptr;

    QFrame* mainFrame = nullptr;
    QVBoxLayout* mainVerticalLayout = nullptr;
    QWidget* headerWidget = nullptr;
    QHBoxLayout* headerLayout = nullptr;
    QLabel* prefixLabel = nullptr;
    QWidget* contentWidget = nullptr;
    QVBoxLayout* contentLayout = nullptr;

    int fixedHeight = 0;
    // What the frame adds around the form: the header, and with translucency
    // the room the drop shadow was designed for.
    int frameExtraHeight = 0;
    int frameExtraWidth = 0;
};
