#include "commandhelp.h"
#include "filenamecodec.h"
#include "hosterror.h"
#include "processend.h"
#include "vantoracommands.h"

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

// Whether windows can be shown here: an X11 or Wayland display is set.
bool DisplayAvailable()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

int Execute(const CommandRequest& request, QTextStream& out)
{
    const CommandTable& table = VantoraCommands::table();
    switch (request.kind()) {
    case CommandRequest::Kind::Help:
        out << CommandHelp(table).text(request.helpTopics());
        return 0;
    case CommandRequest::Kind::Version:
        out << table.program << " " << table.version << "\n";
        return 0;
    case CommandRequest::Kind::Command:
        break;
    }
    return request.command().handler(request, out);
}

} // namespace

int main(int argc, char** argv)
{
    // Qt would take options such as --plugin and -style for itself: it gets
    // only the program name, and the arguments are read here.
    FileNameCodec::installForLocale();
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QTextStream out(stdout);
    out.setCodec("UTF-8");
    QTextStream err(stderr);
    err.setCodec("UTF-8");
    try {
        const CommandRequest request = VantoraCommands::parse(arguments);
        // A command-line host shows no windows but for the commands that need
        // a display; without one, QApplication would abort.
        const bool platformChosen = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
        if (request.needsDisplay() && !platformChosen && !DisplayAvailable())
            throw HostError(QStringLiteral("\"%1\" shows a window and needs a display: "
                                           "set DISPLAY or run it under xvfb-run.")
                                .arg(request.command().name));
        if (!platformChosen && !request.needsDisplay())
            qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(FilterQtMessages);
        int qtArgc = 1;
        QApplication app(qtArgc, argv);
        ProcessEnd::allowEarlyEnd();
        return Execute(request, out);
    } catch (const HostError& error) {
        out.flush();
        err << "vantora: " << error.message() << "\n";
        if (error.exitCode() == HostError::Usage)
            err << "Run \"vantora --help\" for the commands and options.\n";
        return error.exitCode();
    }
}
