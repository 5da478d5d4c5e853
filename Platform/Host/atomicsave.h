#pragma once

#include <QFileDevice>
#include <QString>

// Replaces a file only with a completely written one: the new content goes to
// a temporary file in the target's own folder, which is renamed over the
// target on commit(). Until then the target is untouched, and a save that is
// never committed leaves nothing behind.
class AtomicSave
{
public:
    // Reserves the temporary file; a target folder that is missing or cannot
    // be written throws a HostError before any work is done.
    explicit AtomicSave(const QString& target);
    ~AtomicSave();

    AtomicSave(const AtomicSave&) = delete;
    AtomicSave& operator=(const AtomicSave&) = delete;

    const QString& temporaryPath() const { return mTemporary; }
    // The file actually replaced: a symbolic link's target, so the link stays.
    const QString& targetPath() const { return mTarget; }

    // Checks the temporary file holds something, flushes it to disk and
    // renames it into place. Throws a HostError and leaves the target alone
    // when any step fails.
    void commit();

private:
    QString mTarget;
    QString mTemporary;
    QFileDevice::Permissions mPermissions;
    bool mCommitted = false;
};
