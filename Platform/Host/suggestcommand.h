#pragma once

#include <QString>

class CommandRequest;
class OpenDocument;
class QTextStream;

// `vantora suggest`: the levels found in a document's text, as a
// hand-written settings file printed or saved with -o.
namespace SuggestCommand {

int execute(const CommandRequest& request, QTextStream& out);

// The settings file for the document; throws a HostError when its text
// allows no levels.
QString settingsFor(OpenDocument& document);

} // namespace SuggestCommand
