#pragma once

// Driving the wizard as the host opens it: the built plug-in loaded once, the
// wizard shown modally on a settings map, and its widgets reached by name
// from inside its event loop (modalstep.h).

// By path, so every test that drives the wizard gets it without set-up.
#include "modalstep.h"
#include "actioninterface.h"
#include "actionrecords.h"

#include <QPluginLoader>

#include <functional>

using Prefs = QMap<QString, QVariant>;

// Loads the built plug-in into `loader`; fails the calling test otherwise.
inline void LoadAction(QPluginLoader& loader, CActionInterface*& action)
{
    loader.setFileName(qEnvironmentVariable("VANTORA_BIN_DIR") + "/libBuildBookmarks.so");
    action = qobject_cast<CActionInterface*>(loader.instance());
    QVERIFY2(action, qPrintable(loader.errorString()));
}

// Opens the wizard modally on `prefs`; `step` runs inside it.
inline int ShowModal(CActionInterface* action, Prefs& prefs, std::function<void(QWidget*)> step)
{
    WhenModal("CPrefsDialog", std::move(step));
    DialogLoadStruct load = {};
    load.DialogMode = 0;
    load.Prefs = &prefs;
    return action->ShowDialogProc(nullptr, &load);
}
