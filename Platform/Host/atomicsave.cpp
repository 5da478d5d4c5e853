#include "atomicsave.h"

#include "hosterror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

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

    // A replaced file keeps its permissions; a new one gets the usual ones
    // rather than the temporary file's private 0600.
    // The User flags describe the running user, not the file; setting them
    // would add owner bits.
    mPermissions = info.exists() ? QFile::permissions(mTarget) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser)
                                 : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
}

AtomicSave::~AtomicSave()
{
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
    mCommitted = true;
}
