#include "batchrun.h"

#include "hosterror.h"
#include "outputtarget.h"
#include "runsettings.h"
#include "vantoraoptions.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QTextStream>
#include <QThread>

#include <memory>
#include <vector>

namespace {

struct FileRun
{
    QString input;
    QString output;
    std::unique_ptr<QProcess> process;
    bool done = false;
    bool failed = false;
    QString line;
};

// The one line a finished child leaves: its "Saved …" report or its last
// error, without the program name.
void Collect(FileRun& run)
{
    QProcess& process = *run.process;
    const QStringList said = QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    const QStringList errors = QString::fromUtf8(process.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    run.failed = process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0;
    if (process.exitStatus() != QProcess::NormalExit)
        run.line = QStringLiteral("its run stopped abnormally; nothing was saved.");
    else if (run.failed && !errors.isEmpty())
        run.line = errors.last().startsWith(QLatin1String("vantora: ")) ? errors.last().mid(9) : errors.last();
    else
        run.line = said.value(0, QStringLiteral("no report"));
    run.done = true;
}

} // namespace

QStringList BatchRun::outputs() const
{
    const QStringList inputs = mRequest.arguments();
    if (mRequest.isSet(VantoraOptions::InPlace))
        return inputs;
    const QString folder = mRequest.value(VantoraOptions::OutputDir);
    if (!QDir().mkpath(folder))
        throw HostError(QStringLiteral("The output folder %1 cannot be made.").arg(Quoted(folder)));
    QStringList outputs;
    for (const QString& input : inputs) {
        const QString output = QDir(folder).filePath(QFileInfo(input).fileName());
        const int earlier = outputs.indexOf(output);
        if (earlier >= 0)
            throw HostError::usage(QStringLiteral("%1 and %2 would both be saved as %3.")
                                       .arg(Quoted(inputs.at(earlier)), Quoted(input), Quoted(output)));
        if (OutputTarget::sameFile(output, input))
            throw HostError::usage(
                QStringLiteral("%1 would be saved over itself; give --in-place to replace it.").arg(Quoted(input)));
        outputs << output;
    }
    return outputs;
}

QStringList BatchRun::childArguments(const QStringList& settings, const QString& input, const QString& output) const
{
    using namespace VantoraOptions;
    QStringList arguments;
    if (mRequest.isSet(Plugin))
        arguments << Plugin.name << mRequest.value(Plugin);
    arguments << QStringLiteral("run") << settings;
    if (mRequest.isSet(Password))
        arguments << Password.name << mRequest.value(Password);
    for (const CommandOption* flag : {&KeepPartial, &AllowEmpty}) {
        if (mRequest.isSet(*flag))
            arguments << flag->name;
    }
    if (output == input)
        arguments << InPlace.name;
    else
        arguments << Output.name << output;
    return arguments << QStringLiteral("--") << input;
}

int BatchRun::execute(QTextStream& out)
{
    const RunSettings settings(mRequest);
    settings.maps(); // a settings mistake is told once, not once per file
    const QStringList inputs = mRequest.arguments();
    const QStringList targets = outputs();
    const int jobs = mRequest.isSet(VantoraOptions::Jobs) ? mRequest.number(VantoraOptions::Jobs)
                                                          : qMax(1, QThread::idealThreadCount());

    std::vector<FileRun> runs(static_cast<std::size_t>(inputs.size()));
    std::size_t started = 0;
    std::size_t printed = 0;
    int running = 0;
    bool anyFailed = false;
    QEventLoop loop;
    const auto startNext = [&] {
        FileRun& run = runs[started++];
        run.input = inputs.at(static_cast<int>(started - 1));
        run.output = targets.at(static_cast<int>(started - 1));
        run.process = std::make_unique<QProcess>();
        QProcess* process = run.process.get();
        QObject::connect(process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), &loop,
                         [&, index = started - 1] {
                             Collect(runs[index]);
                             --running;
                             loop.quit();
                         });
        QObject::connect(process, &QProcess::errorOccurred, &loop, [&, index = started - 1](QProcess::ProcessError error) {
            if (error != QProcess::FailedToStart)
                return;
            runs[index].failed = runs[index].done = true;
            runs[index].line = QStringLiteral("vantora could not be started again for it.");
            --running;
            loop.quit();
        });
        ++running;
        process->start(QCoreApplication::applicationFilePath(), childArguments(settings.arguments(), run.input, run.output));
        process->write(settings.standardInput());
        process->closeWriteChannel();
    };
    while (printed < runs.size()) {
        while (running < jobs && started < runs.size())
            startNext();
        if (runs[printed].done) {
            const FileRun& run = runs[printed++];
            anyFailed |= run.failed;
            out << run.input << ": " << run.line << "\n";
            out.flush();
            continue;
        }
        loop.exec();
    }
    return anyFailed ? HostError::Failure : 0;
}
