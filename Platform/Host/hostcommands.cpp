#include "hostcommands.h"

#include "actioninterface.h"
#include "actionplugin.h"
#include "documentlisting.h"
#include "hosterror.h"
#include "opendocument.h"
#include "outlineprinter.h"

#include <QJsonObject>
#include <QTextStream>

int HostCommands::info(const HostOptions& options, QTextStream& out)
{
    ActionPlugin plugin(options.pluginPath.isEmpty() ? ActionPlugin::defaultPath() : options.pluginPath);
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

int HostCommands::outline(const HostOptions& options, QTextStream& out)
{
    OpenDocument document(options.input, options.password);
    const QList<OutlineItem> items = OutlinePrinter::read(document.library());
    if (options.json)
        OutlinePrinter::printJson(items, out);
    else
        OutlinePrinter::printTree(items, out);
    return 0;
}

int HostCommands::text(const HostOptions& options, QTextStream& out)
{
    OpenDocument document(options.input, options.password);
    DocumentListing(document.library()).printText(options.page, out);
    return 0;
}

int HostCommands::fonts(const HostOptions& options, QTextStream& out)
{
    OpenDocument document(options.input, options.password);
    DocumentListing(document.library()).printFonts(out);
    return 0;
}
