#pragma once

#include "commandrequest.h"

class QTextStream;

// `vantora run`: what the desktop host does when it runs the action on a
// document: load it, hand the action the library, an error list and each
// settings map in turn, report the error list, and save. With --dry-run it
// prints the outline instead of saving; with --output-dir or many files it
// hands each file to a BatchRun.
class RunCommand
{
public:
    explicit RunCommand(const CommandRequest& request) : mRequest(request) {}

    // 0 when saved without errors, 1 when the action reported errors (and
    // --keep-partial saved what it made); anything else throws a HostError.
    int execute(QTextStream& out);

private:
    int runOne(QTextStream& out);

    const CommandRequest& mRequest;
};
