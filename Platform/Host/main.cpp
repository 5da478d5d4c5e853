#include "actioninterface.h"
#include "actionplugin.h"

#include <QApplication>
#include <QJsonDocument>
#include <QTextStream>

namespace {

int ShowInfo(ActionPlugin& plugin)
{
    QTextStream out(stdout);
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

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    QString pluginPath = ActionPlugin::defaultPath();
    const int pluginOption = args.indexOf(QStringLiteral("--plugin"));
    if (pluginOption >= 0 && pluginOption + 1 < args.size()) {
        pluginPath = args.at(pluginOption + 1);
        args.erase(args.begin() + pluginOption, args.begin() + pluginOption + 2);
    }
    const QString command = args.value(0);
    if (command != QLatin1String("info")) {
        QTextStream(stderr) << "usage: vantora [--plugin PATH] info\n";
        return 2;
    }
    ActionPlugin plugin(pluginPath);
    if (!plugin.load()) {
        QTextStream(stderr) << plugin.errorString() << "\n";
        return 1;
    }
    return ShowInfo(plugin);
}
