#include "actionrunner.h"

#include "actioninterface.h"
#include "errorhandler.h"
#include "levelchecks.h"
#include "opendocument.h"

#include <QThread>

#include <exception>
#include <memory>

namespace {

const QString ToolImages = QStringLiteral(":/Vantora/Resources/Tools/");

} // namespace

ActionRunner::ActionRunner(const QString& pluginPath, QObject* parent)
    : QObject(parent), mPlugin(pluginPath)
{
    mPlugin.load();
}

ActionRunner::~ActionRunner()
{
    // The procedure works on objects the window owns: let it end first.
    if (mThread)
        mThread->wait();
}

QString ActionRunner::displayName() const
{
    return isLoaded() ? mPlugin.action()->GetDisplayName() : QString();
}

QString ActionRunner::groupName() const
{
    return isLoaded() ? mPlugin.action()->GetGroupName() : QString();
}

QIcon ActionRunner::icon() const
{
    return isLoaded() ? iconFrom(mPlugin.action()->GetDefaultIcon()) : QIcon();
}

QIcon ActionRunner::iconFrom(const QString& names)
{
    // Normal, selected and disabled images, joined by '#'.
    const QStringList parts = names.split(QLatin1Char('#'));
    QIcon icon;
    const auto add = [&icon, &parts](int index, QIcon::Mode mode) {
        if (index < parts.size() && !parts.at(index).isEmpty())
            icon.addFile(ToolImages + parts.at(index), QSize(), mode);
    };
    add(0, QIcon::Normal);
    add(1, QIcon::Selected);
    add(1, QIcon::Active);
    add(2, QIcon::Disabled);
    return icon;
}

bool ActionRunner::showSettings(QWidget* preview)
{
    if (!isLoaded())
        return false;
    // Modeless: the wizard starts from its own defaults and sends its map
    // to the preview's slot when the user finishes.
    ActionPrefs unused;
    DialogLoadStruct load{};
    load.DialogMode = 1;
    load.Prefs = &unused;
    return mPlugin.action()->ShowDialogProc(preview, &load) == 1;
}

bool ActionRunner::editSettings(QWidget* parent, ActionPrefs& prefs)
{
    if (!isLoaded())
        return false;
    // The table shows each level's summary, which a map from the modeless
    // wizard lacks: the host writes its own.
    const int levels = prefs.value(QStringLiteral("LevelCount")).toInt();
    for (int level = 1; level <= levels; ++level) {
        const QString summary = QStringLiteral("Properties%1").arg(level);
        if (prefs.value(summary).toString().isEmpty())
            prefs.insert(summary, LevelChecks::describe(prefs, level));
    }
    DialogLoadStruct load{};
    load.DialogMode = 0;
    load.Prefs = &prefs;
    return mPlugin.action()->ShowDialogProc(parent, &load) == 1;
}

void ActionRunner::setSettings(const ActionPrefs& prefs)
{
    mSettings = prefs;
    emit settingsChanged();
}

void ActionRunner::run(OpenDocument* document)
{
    if (!isLoaded() || mThread)
        return;
    mRunSettings = mSettings;
    auto errors = std::make_shared<CErrorHandler>();
    auto result = std::make_shared<int>(1);
    auto failure = std::make_shared<QString>();
    CActionInterface* action = mPlugin.action();
    mThread = QThread::create([=] {
        WorkProcInfoStruct info{&document->library(), errors.get(), nullptr, nullptr, &mRunSettings};
        try {
            *result = action->WorkProc(&info);
        } catch (const std::exception& error) {
            *failure = tr("The action failed: %1.").arg(QString::fromLocal8Bit(error.what()));
        } catch (...) {
            *failure = tr("The action failed with an unknown error.");
        }
    });
    connect(mThread, &QThread::finished, this, [=] {
        mThread->deleteLater();
        mThread = nullptr;
        QStringList messages;
        for (int i = 0; i < errors->GetCount(); ++i)
            messages << errors->GetAt(i);
        if (!failure->isEmpty())
            messages << *failure;
        emit finished(failure->isEmpty() ? *result : 1, messages);
    });
    mThread->start();
}
