#pragma once

#include "commandrequest.h"

class QTextStream;

// `vantora run`: what the desktop host does when it runs the action on a
// document: load it, hand the action the library, an error list and each
// settings map in turn, report the error list, and save.
class RunCommand
{
public:
    explicit RunCommand(const CommandRequest& request);

    // 0 when saved without errors, 1 when the action reported errors (and
    // --keep-partial saved what it made); anything else throws a HostError.
    int execute(QTextStream& out);

private:
    QString mPluginPath; // empty: the plug-in beside the executable
    QString mSettingsPath;
    int mNthPage;        // used when there is no settings file
    QString mInput;
    QString mPassword;
    QString mOutput;     // the input itself with --in-place
    bool mKeepPartial;
};
