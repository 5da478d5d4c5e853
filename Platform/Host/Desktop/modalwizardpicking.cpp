#include "modalwizardpicking.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QWindow>

ModalWizardPicking::ModalWizardPicking(QWidget* preview)
    : mPreview(preview), mStandIn(std::make_unique<QWidget>())
{
    // The wizard's frame recognises the preview by its name, remembers its
    // geometry there and centres on it.
    mStandIn->setObjectName(preview->objectName());
    mStandIn->setGeometry(QRect(preview->mapToGlobal(QPoint(0, 0)), preview->size()));
    qApp->installEventFilter(this);
}

ModalWizardPicking::~ModalWizardPicking()
{
    qApp->removeEventFilter(this);
}

bool ModalWizardPicking::eventFilter(QObject* watched, QEvent* event)
{
    // The show event comes before the window is shown, while its modality
    // can still change.
    if (event->type() == QEvent::Show && !mWizard && watched->isWidgetType()
        && static_cast<QWidget*>(watched)->parentWidget() == mStandIn.get()) {
        if (auto* dialog = qobject_cast<QDialog*>(watched))
            adopt(dialog);
    }
    return false;
}

void ModalWizardPicking::adopt(QDialog* wizard)
{
    mWizard = wizard;
    // exec() has made the window modal already: the widget alone would not
    // pass the change on.
    wizard->setWindowModality(Qt::WindowModal);
    if (QWindow* window = wizard->windowHandle())
        window->setModality(Qt::WindowModal);
    connect(wizard, SIGNAL(initTool(int)), mPreview, SLOT(on_InitBookmarkTool(int)));
    connect(wizard, SIGNAL(killTool()), mPreview, SLOT(on_KillBookmarkTool()));
}
