#include "atomicsave.h"

#include "hosterror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The temporary file of the save in progress, so that Ctrl-C or a kill
// does not leave it behind. Only unlink() runs in the handler: it is
// async-signal-safe.
char PendingTemporary[4096];

void RemovePendingAndDie(int signal)
{
    if (PendingTemporary[0])
        ::unlink(PendingTemporary);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void SetPending(const QString& path)
{
    const QByteArray encoded = QFile::encodeName(path);
    PendingTemporary[0] = '\0';
    if (encoded.isEmpty() || encoded.size() >= static_cast<int>(sizeof(PendingTemporary)))
        return;
    std::memcpy(PendingTemporary + 1, encoded.constData() + 1, static_cast<std::size_t>(encoded.size()));
    PendingTemporary[0] = encoded.at(0); // the path becomes visible to the handler only when complete
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        std::signal(signal, RemovePendingAndDie);
}

bool FlushToDisk(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

} // namespace

AtomicSave::AtomicSave(const QString& target)
{
    const QFileInfo given(target);
    mTarget = given.isSymLink() && given.exists() ? given.canonicalFilePath() : given.absoluteFilePath();
    const QFileInfo info(mTarget);
    if (info.isDir())
        throw HostError(QStringLiteral("The output %1 is a folder.").arg(Quoted(target)));
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir())
        throw HostError(QStringLiteral("The output folder %1 does not exist.").arg(Quoted(folder.filePath())));

    QTemporaryFile reserved(QDir(folder.filePath()).filePath(QStringLiteral(".%1.XXXXXX.part").arg(info.fileName())));
    reserved.setAutoRemove(false);
    if (!reserved.open())
        throw HostError(QStringLiteral("The output folder %1 cannot be written.").arg(Quoted(folder.filePath())));
    mTemporary = reserved.fileName();
    reserved.close();
    SetPending(mTemporary);

    // A replaced file keeps its permissions; a new one gets the usual ones
    // rather than the temporary file's private 0600.
    // The User flags describe the running user, not the file; setting them
    // would add owner bits.
    mPermissions = info.exists() ? QFile::permissions(mTarget) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser)
                                 : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
}

AtomicSave::~AtomicSave()
{
    PendingTemporary[0] = '\0';
    if (!mCommitted && !mTemporary.isEmpty())
        QFile::remove(mTemporary);
}

void AtomicSave::commit()
{
    const QFileInfo written(mTemporary);
    if (!written.exists() || written.size() == 0)
        throw HostError(QStringLiteral("The PDF library wrote nothing; %1 was not changed.").arg(Quoted(mTarget)));
    if (!FlushToDisk(mTemporary))
        throw HostError(QStringLiteral("The new file could not be flushed to disk; %1 was not changed.").arg(Quoted(mTarget)));
    QFile::setPermissions(mTemporary, mPermissions);
    // rename() replaces the target in one step; QFile::rename would refuse an
    // existing target.
    if (std::rename(QFile::encodeName(mTemporary).constData(), QFile::encodeName(mTarget).constData()) != 0)
        throw HostError(QStringLiteral("%1 could not be replaced: %2.").arg(Quoted(mTarget), QString::fromLocal8Bit(std::strerror(errno))));
    PendingTemporary[0] = '\0';
    mCommitted = true;
}
