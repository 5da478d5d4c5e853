#pragma once

// Driving the wizard from a test: answering modal dialogs from inside their
// own event loop, and reaching widgets by object name.

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QTimerEvent>
#include <QWidget>
#include <QtTest>

#include <functional>

namespace {

// Runs a step on the next modal widget of the given class once it is up, so
// that a test can answer a dialog whose exec() it has just started.
class ModalStep : public QObject
{
public:
    ModalStep(const char* className, std::function<void(QWidget*)> step)
        : className(className), step(std::move(step))
    {
        timer = startTimer(10);
    }

protected:
    void timerEvent(QTimerEvent*) override
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && modal->inherits(className)) {
            killTimer(timer);
            deleteLater();
            auto run = std::move(step);
            step = nullptr;
            QPointer<QWidget> guard = modal;
            if (run)
                run(modal);
            // A step that stopped on a failed check must not leave its
            // dialog waiting for an answer.
            if (guard && guard->isVisible())
                guard->close();
            return;
        }
        // Never hang a test: give up and close whatever is modal.
        if (++polls > 500) {
            killTimer(timer);
            deleteLater();
            step = nullptr;
            qWarning("no modal %s appeared", className);
            if (modal)
                modal->close();
        }
    }

private:
    const char* className;
    std::function<void(QWidget*)> step;
    int polls = 0;
    int timer = 0;
};

void WhenModal(const char* className, std::function<void(QWidget*)> step)
{
    new ModalStep(className, std::move(step));
}

template <class T>
T* Child(QWidget* dialog, const char* name)
{
    T* child = dialog->findChild<T*>(QLatin1String(name));
    if (!child)
        qFatal("the wizard has no %s", name);
    return child;
}

bool Click(QWidget* dialog, const char* name)
{
    auto* button = Child<QAbstractButton>(dialog, name);
    if (!button->isVisible() || !button->isEnabled())
        return false;
    QTest::mouseClick(button, Qt::LeftButton);
    return true;
}

} // namespace
