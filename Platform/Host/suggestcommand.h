#pragma once

#include <QString>

class CommandRequest;
class DocumentRecords;
class QTextStream;

// `vantora suggest`: the levels found in a document's text, as a
// hand-written settings file printed or saved with -o.
namespace SuggestCommand {

int execute(const CommandRequest& request, QTextStream& out);

// The settings file for a document's records; throws a HostError when its
// text allows no levels. name: the document's, for the file's first comment.
QString settingsFor(const DocumentRecords& records, const QString& name);

} // namespace SuggestCommand
