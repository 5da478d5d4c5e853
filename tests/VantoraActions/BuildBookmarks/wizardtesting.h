#pragma once

// Driving the wizard from a test: reaching its widgets by object name, and
// answering its modal dialogs (WhenModal) from inside their event loop.

// By path, so every test that drives the wizard gets it without set-up.
#include "../../support/ModalStep/modalstep.h"

#include <QAbstractButton>
#include <QWidget>
#include <QtTest>

namespace {

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
