#include "recentfiles.h"

#include "hostsettings.h"

#include <QFileInfo>
#include <QMenu>

namespace {

const QString Key = QStringLiteral("RecentFiles");

} // namespace

RecentFiles::RecentFiles(QMenu* menu, QObject* parent)
    : QObject(parent), mMenu(menu)
{
    fillMenu();
}

QStringList RecentFiles::files() const
{
    return HostSettings().value(Key).toStringList();
}

void RecentFiles::add(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = files();
    list.removeAll(absolute);
    list.prepend(absolute);
    store(list.mid(0, MaxFiles));
}

void RecentFiles::remove(const QString& path)
{
    QStringList list = files();
    list.removeAll(QFileInfo(path).absoluteFilePath());
    store(list);
}

void RecentFiles::clear()
{
    store({});
}

void RecentFiles::store(const QStringList& files)
{
    HostSettings().setValue(Key, files);
    fillMenu();
}

void RecentFiles::fillMenu()
{
    mMenu->clear();
    const QStringList list = files();
    for (int i = 0; i < list.size(); ++i) {
        const QString path = list.at(i);
        QAction* action = mMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        action->setToolTip(path);
        action->setStatusTip(path);
        connect(action, &QAction::triggered, this, [this, path] { emit openRequested(path); });
    }
    if (!list.isEmpty()) {
        mMenu->addSeparator();
        mMenu->addAction(tr("Clear list"), this, &RecentFiles::clear);
    }
    mMenu->setEnabled(!list.isEmpty());
}
