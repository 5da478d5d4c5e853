#pragma once

#include "actionplugin.h"
#include "actionrecords.h"

#include <QIcon>
#include <QObject>
#include <QStringList>

class OpenDocument;
class QThread;

// The loaded action as the window offers it: its name, group and icon for
// the menu, its settings dialog shown beside the preview, and its work
// procedure run on the open document on a thread of its own.
class ActionRunner : public QObject
{
    Q_OBJECT

public:
    explicit ActionRunner(const QString& pluginPath, QObject* parent = nullptr);
    ~ActionRunner() override;

    bool isLoaded() const { return mPlugin.action() != nullptr; }
    QString errorString() const { return mPlugin.errorString(); }
    QString displayName() const;
    QString groupName() const;
    // From the icon names the action gives, among the images the host registers.
    QIcon icon() const;

    // Opens the action's wizard without blocking, at its defaults; it
    // reports to `preview`.
    bool showSettings(QWidget* preview);
    // Runs the wizard loaded with `prefs` until the user finishes (true, and
    // `prefs` holds the edited settings) or closes it.
    bool editSettings(QWidget* parent, ActionPrefs& prefs);
    const ActionPrefs& settings() const { return mSettings; }
    bool hasSettings() const { return !mSettings.isEmpty(); }
    bool isRunning() const { return mThread != nullptr; }

public slots:
    void setSettings(const ActionPrefs& prefs);
    // Starts the work procedure on the document; finished() follows. The
    // document must not be touched until then.
    void run(OpenDocument* document);

signals:
    void settingsChanged();
    void finished(int result, const QStringList& messages);

private:
    static QIcon iconFrom(const QString& names);

    ActionPlugin mPlugin;
    ActionPrefs mSettings;
    ActionPrefs mRunSettings;   // the copy the running procedure reads
    QThread* mThread = nullptr;
};
