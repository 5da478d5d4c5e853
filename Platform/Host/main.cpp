#include "commandline.h"
#include "hostcommands.h"
#include "hosterror.h"
#include "runcommand.h"
#include "settingseditcommand.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>

namespace {

// Qt's chatter about the offscreen platform's environment means nothing to a
// user of the command line; real warnings still reach stderr.
void FilterQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtDebugMsg || type == QtInfoMsg || message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(message));
    if (type == QtFatalMsg)
        std::abort();
}

} // namespace

int main(int argc, char** argv)
{
    // Qt would take options such as --plugin and -style for itself: it gets
    // only the program name, and the arguments are read here.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // A command-line host shows no windows, but for the settings wizard;
    // without this, QApplication would abort on a machine without a display.
    const bool editSettings = SettingsEditCommand::isRequested(arguments);
    const bool platformChosen = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (!platformChosen && !(editSettings && SettingsEditCommand::displayAvailable()))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(FilterQtMessages);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);

    QTextStream out(stdout);
    out.setCodec("UTF-8");
    QTextStream err(stderr);
    err.setCodec("UTF-8");
    try {
        if (editSettings) {
            if (!platformChosen && !SettingsEditCommand::displayAvailable())
                throw HostError(QStringLiteral("\"settings edit\" shows the wizard and needs a display: "
                                               "set DISPLAY or run it under xvfb-run."));
            return SettingsEditCommand(arguments).execute(out);
        }
        const HostOptions options = CommandLine::parse(arguments);
        switch (options.command) {
        case HostOptions::Command::Help:
            out << CommandLine::usage();
            return 0;
        case HostOptions::Command::Info:
            return HostCommands::info(options, out);
        case HostOptions::Command::Run:
            return RunCommand(options).execute(out);
        case HostOptions::Command::Outline:
            return HostCommands::outline(options, out);
        case HostOptions::Command::Text:
            return HostCommands::text(options, out);
        case HostOptions::Command::Fonts:
            return HostCommands::fonts(options, out);
        }
    } catch (const HostError& error) {
        out.flush();
        err << "vantora: " << error.message() << "\n";
        if (error.exitCode() == HostError::Usage)
            err << "Run \"vantora --help\" for the commands and options.\n";
        return error.exitCode();
    }
    return HostError::Failure;
}
