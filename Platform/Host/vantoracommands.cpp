#include "vantoracommands.h"

#include "commandline.h"
#include "hostcommands.h"
#include "runcommand.h"
#include "settingseditcommand.h"
#include "settingsshowcommand.h"
#include "vantoraoptions.h"

namespace {

int Run(const CommandRequest& request, QTextStream& out)
{
    return RunCommand(request).execute(out);
}

int EditSettings(const CommandRequest& request, QTextStream& out)
{
    return SettingsEditCommand(request).execute(out);
}

} // namespace

const CommandTable& VantoraCommands::table()
{
    using namespace VantoraOptions;
    using Slot = OptionSlot;
    static const CommandArgument Input{"INPUT.pdf", "PDF file", "the document to bookmark"};
    static const CommandArgument Document{"FILE.pdf", "PDF file", "the document to read"};
    static const CommandArgument SettingsExport{
        "FILE.ini", "settings file",
        "any settings file, written back in its own kind (a hand-written one loses its comments); "
        "a new settings export when it does not exist"};
    static const CommandArgument AnySettings{
        "FILE.ini", "settings file", "a settings export, tool settings file, favourite, action list or hand-written file"};
    static const CommandTable table{
        "vantora",
        "1.0",
        {&Plugin},
        {
            {"run",
             "build the bookmarks and save the document",
             {Slot::exactlyOne({&Settings, &Nth}), Password, KeepPartial, Slot::exactlyOne({&Output, &InPlace})},
             {Input},
             Run},
            {"outline", "print the bookmarks as a tree", {Json, Password}, {Document}, HostCommands::outline},
            {"text", "print the text records the plug-in sees", {Page, Password}, {Document}, HostCommands::text},
            {"fonts", "print the document's fonts, largest first", {Password}, {Document}, HostCommands::fonts},
            {"info", "print the plug-in's identity", {}, {}, HostCommands::info},
            {"settings edit", "define the levels in the wizard", {}, {SettingsExport}, EditSettings, true},
            {"settings show", "print settings as a hand-written file", {}, {AnySettings}, SettingsShowCommand::execute},
        },
    };
    return table;
}

CommandRequest VantoraCommands::parse(const QStringList& arguments)
{
    return CommandLine(table()).parse(arguments);
}
