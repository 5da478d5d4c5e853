#include "hostcommands.h"

#include "actioninterface.h"
#include "actionplugin.h"
#include "hosterror.h"
#include "opendocument.h"
#include "outlineprinter.h"
#include "outlinereader.h"
#include "stylelisting.h"
#include "textlisting.h"
#include "vantoraoptions.h"

#include <QJsonObject>
#include <QTextStream>

int HostCommands::info(const CommandRequest& request, QTextStream& out)
{
    const QString pluginPath = request.value(VantoraOptions::Plugin);
    ActionPlugin plugin(pluginPath.isEmpty() ? ActionPlugin::defaultPath() : pluginPath);
    if (!plugin.load())
        throw HostError(plugin.errorString());
    const QJsonObject meta = plugin.metaData();
    CActionInterface* action = plugin.action();
    out << "Plug-in:      " << plugin.fileName() << "\n"
        << "IID:          " << meta.value("IID").toString() << "\n"
        << "Class:        " << meta.value("className").toString() << "\n"
        << "Qt version:   0x" << QString::number(meta.value("version").toInt(), 16) << "\n"
        << "Action:       " << action->GetActionName() << "\n"
        << "Display name: " << action->GetDisplayName() << "\n"
        << "Group:        " << action->GetGroupName() << "\n"
        << "Help page:    " << action->GetActionHelp() << "\n"
        << "Flags:        " << action->GetActionFlags() << "\n"
        << "Icons:        " << action->GetDefaultIcon() << "\n";
    return 0;
}

int HostCommands::outline(const CommandRequest& request, QTextStream& out)
{
    OpenDocument document(request.argument(0), request.value(VantoraOptions::Password));
    OutlinePrinter::print(OutlineReader::read(document.library()), OutlinePrinter::requested(request), out);
    return 0;
}

int HostCommands::text(const CommandRequest& request, QTextStream& out)
{
    OpenDocument document(request.argument(0), request.value(VantoraOptions::Password));
    const int page = request.number(VantoraOptions::Page);
    if (request.isSet(VantoraOptions::Json))
        TextListing::printJson(document.library(), page, out);
    else
        TextListing::printCsv(document.library(), page, out);
    return 0;
}

int HostCommands::fonts(const CommandRequest& request, QTextStream& out)
{
    OpenDocument document(request.argument(0), request.value(VantoraOptions::Password));
    const bool all = request.isSet(VantoraOptions::All);
    if (request.isSet(VantoraOptions::Json))
        StyleListing::printJson(document.library(), all, out);
    else
        StyleListing::print(document.library(), all, out);
    return 0;
}
