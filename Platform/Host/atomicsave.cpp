#include "atomicsave.h"

#include "hosterror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace {

// The temporary file of the save in progress. While it exists a termination
// signal only takes note; the save removes the file and ends the process
// when the writer returns (a writer stopped in the middle would leave its own
// temporary files behind).
char PendingTemporary[4096];
volatile std::sig_atomic_t HeldSignal = 0;

void HoldSignal(int signal)
{
    HeldSignal = signal;
}

void SetPending(const QString& path)
{
    const QByteArray encoded = QFile::encodeName(path);
    PendingTemporary[0] = '\0';
    if (encoded.isEmpty() || encoded.size() >= static_cast<int>(sizeof(PendingTemporary)))
        return;
    std::memcpy(PendingTemporary, encoded.constData(), static_cast<std::size_t>(encoded.size()) + 1);
    HeldSignal = 0;
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        std::signal(signal, HoldSignal);
}

// Ends the held-back stretch: a signal that came in the meantime removes the
// temporary file and ends the process as the signal would have.
void ClearPending()
{
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        std::signal(signal, SIG_DFL);
    const int held = HeldSignal;
    if (held) {
        if (PendingTemporary[0])
            ::unlink(PendingTemporary);
        std::raise(held);
    }
    PendingTemporary[0] = '\0';
}

bool ProcessIsGone(qint64 pid)
{
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
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
    if (::access(QFile::encodeName(folder.filePath()).constData(), W_OK | X_OK) != 0)
        throw HostError(QStringLiteral("The output folder %1 cannot be written.").arg(Quoted(folder.filePath())));
    removeStaleTemporaries();

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
    if (!mTemporary.isEmpty())
        ClearPending();
}

const QString& AtomicSave::temporaryPath()
{
    if (!mTemporary.isEmpty())
        return mTemporary;
    // The process id in the name tells a later save whose file it is.
    const QFileInfo info(mTarget);
    QTemporaryFile reserved(QDir(info.absolutePath())
                                .filePath(QStringLiteral(".%1.%2-XXXXXX.part").arg(info.fileName()).arg(::getpid())));
    reserved.setAutoRemove(false);
    if (!reserved.open())
        throw HostError(QStringLiteral("The output folder %1 cannot be written.").arg(Quoted(info.absolutePath())));
    mTemporary = reserved.fileName();
    reserved.close();
    SetPending(mTemporary);
    return mTemporary;
}

// Ours: ".NAME.PID-XXXXXX.part"; the PDF library's, beside it while it
// writes: "..NAME.PID-XXXXXX.part.YYYYYY". Those of a process that is gone
// were left by a run that was killed.
void AtomicSave::removeStaleTemporaries() const
{
    const QFileInfo info(mTarget);
    // The name is compared, not put into the pattern: a name that is not
    // UTF-8 holds characters no pattern accepts.
    static const QRegularExpression tail(QStringLiteral("^(\\d+)-[A-Za-z0-9]{6}\\.part(\\.[A-Za-z0-9]{6})?$"));
    const QString stem = info.fileName() + QLatin1Char('.');
    const QDir folder(info.absolutePath());
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        for (const QString& dots : {QStringLiteral("."), QStringLiteral("..")}) {
            if (!name.startsWith(dots + stem))
                continue;
            const QRegularExpressionMatch match = tail.match(name.mid(dots.size() + stem.size()));
            if (match.hasMatch() && ProcessIsGone(match.captured(1).toLongLong()))
                QFile::remove(folder.filePath(name));
        }
    }
}

void AtomicSave::commit()
{
    // A signal held back while the file was written ends the run here,
    // before anything is replaced.
    if (HeldSignal) {
        QFile::remove(mTemporary);
        ClearPending();
    }
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
