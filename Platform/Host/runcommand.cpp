#include "runcommand.h"

#include "actioninterface.h"
#include "actionplugin.h"
#include "atomicsave.h"
#include "batchrun.h"
#include "documentrecords.h"
#include "errorhandler.h"
#include "hosterror.h"
#include "levelchecks.h"
#include "opendocument.h"
#include "outlineprinter.h"
#include "outlinereader.h"
#include "outputtarget.h"
#include "pagetextwatch.h"
#include "pdflibrarybinding.h"
#include "processend.h"
#include "progressline.h"
#include "recordreplay.h"
#include "runsettings.h"
#include "settingskeys.h"
#include "skippedpage.h"
#include "vantoraoptions.h"

#include <QFileInfo>
#include <QTextStream>

#include <exception>
#include <memory>

namespace {

int RunStep(CActionInterface& action, OpenDocument& document, CErrorHandler& errors, ActionPrefs& prefs)
{
    WorkProcInfoStruct info{&document.library(), &errors, nullptr, nullptr, &prefs};
    ProgressLine line(document.pageCount(), ProgressLine::terminalAttached());
    std::unique_ptr<ProgressWatch> watch;
    if (ProgressLine::terminalAttached())
        watch = std::make_unique<ProgressWatch>(line, [&document] { return document.library().SelectedPage(); });
    try {
        return action.WorkProc(&info);
    } catch (const std::exception& failure) {
        throw HostError(QStringLiteral("The action failed: %1.").arg(QString::fromLocal8Bit(failure.what())));
    } catch (...) {
        throw HostError(QStringLiteral("The action failed with an unknown error."));
    }
}

// The suggestion reads the text in a library instance of its own, on every
// core; the run's instance then extracts only the pages that get a
// bookmark, as it points each at its line (see RecordReplay).
std::unique_ptr<DocumentRecords> ReadRecords(const QString& input, const QString& password)
{
    OpenDocument reading(input, password);
    return std::make_unique<DocumentRecords>(reading.library());
}

bool IsMultiLevel(const ActionPrefs& prefs)
{
    return !prefs.value(SettingsKeys::NthChecked).toBool();
}

// The bookmarks a step made: what it added, or all there are when it
// replaced the old ones.
int Made(const ActionPrefs& prefs, int before, int after)
{
    const bool replaces = IsMultiLevel(prefs) && prefs.value(SettingsKeys::InsertionMode).toInt() == 0;
    return replaces ? after : after - before;
}

// Levels that match nothing would save a document without its old bookmarks
// and no new ones: the run stops and says which checks found nothing.
void RefuseEmptyRun(const QList<ActionPrefs>& steps, const QString& input)
{
    for (const ActionPrefs& prefs : steps) {
        if (IsMultiLevel(prefs))
            throw HostError(QStringLiteral("No line matched level 1 (%1): nothing saved. `vantora fonts %2` lists "
                                           "the sizes in use.")
                                .arg(LevelChecks::describe(prefs, 1), input));
    }
}

} // namespace

int RunCommand::execute(QTextStream& out)
{
    const int files = mRequest.arguments().size();
    if (files > 1 && mRequest.isSet(VantoraOptions::Output))
        throw HostError::usage(QStringLiteral("-o names one output; give --output-dir DIR for %1 files.").arg(files));
    if (files > 1 && mRequest.isSet(VantoraOptions::DryRun))
        throw HostError::usage(QStringLiteral("--dry-run takes one file, not %1.").arg(files));
    if (files > 1 || mRequest.isSet(VantoraOptions::OutputDir))
        return BatchRun(mRequest).execute(out);
    return runOne(out);
}

int RunCommand::runOne(QTextStream& out)
{
    using namespace VantoraOptions;
    const QString input = mRequest.argument(0);
    const bool dryRun = mRequest.isSet(DryRun);
    const RunSettings settings(mRequest);
    QList<ActionPrefs> steps = settings.maps();
    const QString output = dryRun ? QString() : OutputTarget::of(mRequest, input);

    const QString pluginPath = mRequest.value(Plugin);
    ActionPlugin plugin(pluginPath.isEmpty() ? ActionPlugin::defaultPath() : pluginPath);
    if (!plugin.load())
        throw HostError(plugin.errorString());

    OpenDocument document(input, mRequest.value(Password));
    // The suggestion and the engine read the same records, extracted once.
    std::unique_ptr<DocumentRecords> records;
    std::unique_ptr<RecordReplay> replay;
    if (settings.suggestsLevels()) {
        records = ReadRecords(input, mRequest.value(Password));
        steps = RunSettings::suggestedMaps(*records, QFileInfo(input).fileName());
        replay = std::make_unique<RecordReplay>(document.library(), *records);
    }
    // Pages left out as too complex are named: by the suggestion's reading
    // with --auto, else as the plug-in reads them.
    std::unique_ptr<PageTextWatch> watch;
    if (!replay)
        watch = std::make_unique<PageTextWatch>(document.library());
    std::unique_ptr<AtomicSave> save;
    if (!dryRun)
        save = std::make_unique<AtomicSave>(output);

    CErrorHandler errors;
    bool failed = false;
    int made = 0;
    for (ActionPrefs& prefs : steps) {
        const int before = document.library().OutlineCount();
        failed |= RunStep(*plugin.action(), document, errors, prefs) != 0;
        made += Made(prefs, before, document.library().OutlineCount());
    }

    if (watch) {
        for (int page : watch->skippedPages())
            SkippedPage::warn(page);
        watch.reset();
    }
    QTextStream err(stderr);
    err.setCodec("UTF-8");
    for (int i = 0; i < errors.GetCount(); ++i)
        err << "vantora: " << plugin.action()->GetDisplayName() << ": " << errors.GetAt(i) << "\n";
    err.flush();
    if (failed && !mRequest.isSet(KeepPartial))
        throw HostError(dryRun ? QStringLiteral("The action failed.")
                               : QStringLiteral("The action failed; %1 was not written (--keep-partial saves what it made).")
                                     .arg(Quoted(output)));
    if (made <= 0 && !mRequest.isSet(AllowEmpty))
        RefuseEmptyRun(steps, input);

    if (dryRun) {
        OutlinePrinter::print(OutlineReader::read(document.library()), OutlinePrinter::requested(mRequest), out);
        return ProcessEnd::afterOutput(out, failed ? HostError::Failure : 0);
    }
    // Counted before saving: a save makes the library read the outline again.
    const int bookmarks = document.library().OutlineCount();
    document.saveTo(save->temporaryPath());
    save->commit();
    out << "Saved " << output << " with " << bookmarks << (bookmarks == 1 ? " bookmark" : " bookmarks")
        << (failed ? ", with errors" : "") << ".\n";
    return ProcessEnd::afterOutput(out, failed ? HostError::Failure : 0);
}
