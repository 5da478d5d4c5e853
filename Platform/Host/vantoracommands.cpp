#include "vantoracommands.h"

#include "commandline.h"
#include "hostcommands.h"
#include "runcommand.h"
#include "setoutlinecommand.h"
#include "settingseditcommand.h"
#include "settingsshowcommand.h"
#include "suggestcommand.h"
#include "vantoraoptions.h"

namespace {

int Run(const CommandRequest& request, QTextStream& out)
{
    return RunCommand(request).execute(out);
}

int SetOutline(const CommandRequest& request, QTextStream& out)
{
    return SetOutlineCommand(request).execute(out);
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
    static const CommandArgument Inputs{"INPUT.pdf", "PDF file", "the documents to bookmark", true};
    static const CommandArgument Document{"FILE.pdf", "PDF file", "the document to read"};
    static const CommandArgument Outline{
        "OUTLINE", "text or JSON outline",
        "the bookmarks as `vantora outline --format text` or `--format json` prints them; - reads standard input"};
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
             "build the bookmarks and save the documents",
             {Slot::exactlyOne({&Settings, &Nth, &Auto}), Password, KeepPartial, AllowEmpty,
              Slot::exactlyOne({&Output, &InPlace, &OutputDir, &DryRun}), Slot(Json).with(DryRun),
              Slot(Jobs).with(OutputDir)},
             {Inputs},
             Run},
            {"outline", "print the bookmarks", {Format, Json, Password}, {Document}, HostCommands::outline},
            {"set-outline",
             "replace the bookmarks with an outline file",
             {Password, Slot::exactlyOne({&Output, &InPlace})},
             {Document, Outline},
             SetOutline},
            {"text", "print the text lines the plug-in sees", {Page, Json, Password}, {Document}, HostCommands::text},
            {"fonts", "print the text styles, largest first", {All, Json, Password}, {Document}, HostCommands::fonts},
            {"suggest",
             "suggest the levels from the document's text, as a settings file",
             {SettingsOutput, Password},
             {Document},
             SuggestCommand::execute},
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
