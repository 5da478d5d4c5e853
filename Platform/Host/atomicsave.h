#pragma once

#include <QFileDevice>
#include <QString>

// Replaces a file only with a completely written one: the new content goes to
// a temporary file in the target's own folder, which is renamed over the
// target on commit(). Until then the target is untouched, and a save that is
// never committed leaves nothing behind: the temporary file exists only from
// the moment saving starts, Ctrl-C or a termination signal while it exists
// removes it, and the temporary files of runs that were killed outright are
// removed by the next save to the same target.
class AtomicSave
{
public:
    // Checks the target can be written; a target folder that is missing or
    // cannot be written throws a HostError before any work is done.
    explicit AtomicSave(const QString& target);
    ~AtomicSave();

    AtomicSave(const AtomicSave&) = delete;
    AtomicSave& operator=(const AtomicSave&) = delete;

    // The file to write the new content to, made on the first call. From then
    // until commit() a termination signal is held back, so that the temporary
    // file is removed once the writer is done with it.
    const QString& temporaryPath();
    // The file actually replaced: a symbolic link's target, so the link stays.
    const QString& targetPath() const { return mTarget; }

    // Checks the temporary file holds something, flushes it to disk and
    // renames it into place. Throws a HostError and leaves the target alone
    // when any step fails.
    void commit();

private:
    void removeStaleTemporaries() const;

    QString mTarget;
    QString mTemporary;
    QFileDevice::Permissions mPermissions;
    bool mCommitted = false;
};
