#pragma once

#include <QObject>
#include <QStringList>

class QMenu;

// The files opened last, newest first, kept in the user's settings and shown
// as a menu whose entries ask for the file to be opened again.
class RecentFiles : public QObject
{
    Q_OBJECT

public:
    static constexpr int MaxFiles = 8;

    explicit RecentFiles(QMenu* menu, QObject* parent = nullptr);

    QStringList files() const;

public slots:
    void add(const QString& path);
    void remove(const QString& path);
    void clear();

signals:
    void openRequested(const QString& path);

private:
    void store(const QStringList& files);
    void fillMenu();

    QMenu* mMenu;
};
