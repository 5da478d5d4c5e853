#include "runcommand.h"

#include "actioninterface.h"
#include "actionplugin.h"
#include "atomicsave.h"
#include "errorhandler.h"
#include "hosterror.h"
#include "opendocument.h"
#include "pdflibrarybinding.h"
#include "progressline.h"
#include "settingsfile.h"
#include "vantoraoptions.h"

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

} // namespace

RunCommand::RunCommand(const CommandRequest& request)
    : mPluginPath(request.value(VantoraOptions::Plugin)),
      mSettingsPath(request.value(VantoraOptions::Settings)),
      mNthPage(request.number(VantoraOptions::Nth)),
      mInput(request.argument(0)),
      mPassword(request.value(VantoraOptions::Password)),
      mOutput(request.isSet(VantoraOptions::InPlace) ? mInput : request.value(VantoraOptions::Output)),
      mKeepPartial(request.isSet(VantoraOptions::KeepPartial))
{
}

int RunCommand::execute(QTextStream& out)
{
    QList<ActionPrefs> steps = mSettingsPath.isEmpty()
        ? QList<ActionPrefs>{SettingsFile::everyNthPage(mNthPage)}
        : SettingsFile::read(mSettingsPath);

    ActionPlugin plugin(mPluginPath.isEmpty() ? ActionPlugin::defaultPath() : mPluginPath);
    if (!plugin.load())
        throw HostError(plugin.errorString());

    OpenDocument document(mInput, mPassword);
    AtomicSave save(mOutput);

    CErrorHandler errors;
    bool failed = false;
    for (ActionPrefs& prefs : steps)
        failed |= RunStep(*plugin.action(), document, errors, prefs) != 0;

    QTextStream err(stderr);
    err.setCodec("UTF-8");
    for (int i = 0; i < errors.GetCount(); ++i)
        err << "vantora: " << plugin.action()->GetDisplayName() << ": " << errors.GetAt(i) << "\n";
    err.flush();
    if (failed && !mKeepPartial)
        throw HostError(
            QStringLiteral("The action failed; %1 was not written (--keep-partial saves what it made).").arg(Quoted(mOutput)));

    document.saveTo(save.temporaryPath());
    save.commit();
    const int bookmarks = document.library().OutlineCount();
    out << "Saved " << mOutput << " with " << bookmarks
        << (bookmarks == 1 ? " bookmark" : " bookmarks") << (failed ? ", with errors" : "") << ".\n";
    return failed ? HostError::Failure : 0;
}
