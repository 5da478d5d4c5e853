#pragma once

#include "commandrequest.h"

class QTextStream;

// `vantora set-outline FILE.pdf OUTLINE`: replaces the document's bookmarks
// with those of an outline file, as `vantora outline` prints them in text or
// JSON (told apart by their content), and saves like `vantora run`.
class SetOutlineCommand
{
public:
    explicit SetOutlineCommand(const CommandRequest& request) : mRequest(request) {}

    // 0 when saved; anything else throws a HostError.
    int execute(QTextStream& out);

private:
    const CommandRequest& mRequest;
};
