#pragma once

#include "commandrequest.h"

// vantora's commands: the one table its parser, its help and main() use.
namespace VantoraCommands {
const CommandTable& table();
// Parses with the table; a mistake throws a usage HostError.
CommandRequest parse(const QStringList& arguments);
}
