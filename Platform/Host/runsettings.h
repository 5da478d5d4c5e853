#pragma once

#include "actionrecords.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

class CommandRequest;

// Where a run's settings maps come from: a settings file, standard input
// (--settings -) or --nth N. A further source, such as levels suggested from
// the document, is one more case here; the run and the dry run only see maps.
class RunSettings
{
public:
    // Reads standard input at once for --settings -, so a batch reads it once.
    explicit RunSettings(const CommandRequest& request);

    // Every map to run, checked; throws a HostError naming the source.
    QList<ActionPrefs> maps() const;

    // The same settings for another vantora: its options, and what to write
    // to its standard input.
    QStringList arguments() const;
    const QByteArray& standardInput() const { return mInput; }

private:
    QString mPath; // empty with --nth
    QByteArray mInput; // standard input's settings with --settings -
    int mNth = 0;
};
