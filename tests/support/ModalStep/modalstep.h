#pragma once

// Driving dialogs as a user does: reaching widgets by object name, clicking
// buttons, and answering a modal dialog from inside its own event loop (the
// test queues a step, starts the exec() that opens the dialog, and the step
// runs on the dialog once it is the active modal widget).

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTimerEvent>
#include <QWidget>
#include <QtTest>

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

// A named widget of the dialog; a missing one is a broken test, not a failure.
template <class T>
T* Child(QWidget* dialog, const char* name)
{
    T* child = dialog->findChild<T*>(QLatin1String(name));
    if (!child)
        qFatal("no widget %s", name);
    return child;
}

// Clicks a named button; false when a user could not click it.
inline bool Click(QWidget* dialog, const char* name)
{
    auto* button = Child<QAbstractButton>(dialog, name);
    if (!button->isVisible() || !button->isEnabled())
        return false;
    QTest::mouseClick(button, Qt::LeftButton);
    return true;
}

// Answers the next Qt file dialog with a path, typed as a user would
// (selectFile() races the folder listing), or cancels it when the path is
// empty.
inline void AnswerFileDialog(const QString& path)
{
    WhenModal("QFileDialog", [path](QWidget* w) {
        auto* dialog = static_cast<QFileDialog*>(w);
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
        QMetaObject::invokeMethod(dialog, "accept"); // protected in QFileDialog
    });
}
