#pragma once

#include "commandrequest.h"

class QTextStream;

// `vantora run` on many files: each file runs in a child vantora of its own,
// N at a time. A process per file keeps the files apart as the desktop host
// keeps its documents: one library instance and one plug-in call each, and a
// file that crashes its run takes no other file with it. One line per file,
// in the order given: what the child saved, or its error.
class BatchRun
{
public:
    explicit BatchRun(const CommandRequest& request) : mRequest(request) {}

    // 0 when every file was saved without errors, 1 otherwise; settings or
    // outputs that cannot work for any file throw a HostError first.
    int execute(QTextStream& out);

private:
    // The output of each input: in --output-dir, or the input itself.
    QStringList outputs() const;
    QStringList childArguments(const QStringList& settings, const QString& input, const QString& output) const;

    const CommandRequest& mRequest;
};
