#pragma once

#include "commandrequest.h"

class QTextStream;

// vantora settings show FILE: any settings file as a hand-written one, with a
// comment line summarising each level; an action list shows each of this
// action's steps in turn.
namespace SettingsShowCommand {
int execute(const CommandRequest& request, QTextStream& out);
}
