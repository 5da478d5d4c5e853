// vantora-desktop: open a PDF, define bookmark levels by pointing at its
// headings in the action's wizard, run the action and save.
#include "actionplugin.h"
#include "desktopwindow.h"
#include "filenamecodec.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char* argv[])
{
    // Before Qt reads the arguments: a Latin-1 file name must name its file.
    FileNameCodec::installForLocale();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vantora-desktop"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Build bookmarks from a PDF's headings by pointing at them."));
    parser.addHelpOption();
    const QCommandLineOption plugin(QStringLiteral("plugin"), QStringLiteral("The action plug-in to load."), QStringLiteral("file"),
                                    ActionPlugin::defaultPath());
    parser.addOption(plugin);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A PDF to open."), QStringLiteral("[file]"));
    parser.process(app);

    DesktopWindow window(parser.value(plugin));
    window.show();
    if (!parser.positionalArguments().isEmpty())
        window.openFile(parser.positionalArguments().constFirst());
    return app.exec();
}
