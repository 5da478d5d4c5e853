#pragma once

#include "actionrecords.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

class CommandRequest;
class DocumentRecords;

// Where a run's settings maps come from: a settings file, standard input
// (--settings -), --nth N, or the levels suggested from the document
// (--auto); the run and the dry run only see maps.
class RunSettings
{
public:
    // Reads standard input at once for --settings -, so a batch reads it once.
    explicit RunSettings(const CommandRequest& request);

    // Every map to run, checked; throws a HostError naming the source.
    // With --auto there are none before the document is read.
    QList<ActionPrefs> maps() const;
    bool suggestsLevels() const { return mSuggested; }
    // The levels suggested from a document's records, read as `vantora run
    // --settings` reads the file `vantora suggest` writes.
    static QList<ActionPrefs> suggestedMaps(const DocumentRecords& records, const QString& name);

    // The same settings for another vantora: its options, and what to write
    // to its standard input.
    QStringList arguments() const;
    const QByteArray& standardInput() const { return mInput; }

private:
    QString mPath; // empty with --nth
    QByteArray mInput; // standard input's settings with --settings -
    int mNth = 0;
    bool mSuggested = false;
};
