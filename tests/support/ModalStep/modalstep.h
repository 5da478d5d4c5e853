#pragma once

// Answers a modal dialog from inside its own event loop: the test queues a
// step, starts the exec() that opens the dialog, and the step runs on the
// dialog once it is the active modal widget.

#include <QApplication>
#include <QPointer>
#include <QTimerEvent>
#include <QWidget>

#include <functional>

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
            finish();
            auto run = std::move(step);
            QPointer<QWidget> guard = modal;
            run(modal);
            // A step that stopped on a failed check must not leave its
            // dialog waiting for an answer.
            if (guard && guard->isVisible())
                guard->close();
            return;
        }
        // Never hang a test: give up and close whatever is modal.
        if (++polls > 500) {
            finish();
            qWarning("no modal %s appeared", className);
            if (modal)
                modal->close();
        }
    }

private:
    void finish()
    {
        killTimer(timer);
        deleteLater();
    }

    const char* className;
    std::function<void(QWidget*)> step;
    int polls = 0;
    int timer = 0;
};

inline void WhenModal(const char* className, std::function<void(QWidget*)> step)
{
    new ModalStep(className, std::move(step));
}
