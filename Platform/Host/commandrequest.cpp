#include "commandrequest.h"

CommandRequest CommandRequest::command(const CommandEntry& command, QMap<QString, QString> options, QStringList arguments)
{
    CommandRequest request(Kind::Command);
    request.mCommand = &command;
    request.mOptions = std::move(options);
    request.mArguments = std::move(arguments);
    return request;
}

CommandRequest CommandRequest::help(QList<const CommandEntry*> topics)
{
    CommandRequest request(Kind::Help);
    request.mHelpTopics = std::move(topics);
    return request;
}

CommandRequest CommandRequest::version()
{
    return CommandRequest(Kind::Version);
}
