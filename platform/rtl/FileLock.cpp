#include "platform/rtl/FileLock.h"

#include "platform/rtl/FileUtils.h"

#include <QByteArray>
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int FlockNonBlocking(int Fd)
{
    int Result;
    do
        Result = ::flock(Fd, LOCK_EX | LOCK_NB);
    while (Result != 0 && errno == EINTR);
    return Result;
}

std::int64_t ReadPid(int Fd)
{
    char Buffer[32] = {};
    const ssize_t Read = ::pread(Fd, Buffer, sizeof Buffer - 1, 0);
    if (Read <= 0)
        return 0;
    bool Ok = false;
    const std::int64_t Pid = QByteArray(Buffer, int(Read)).trimmed().toLongLong(&Ok);
    return Ok && Pid > 0 ? Pid : 0;
}

bool WritePid(int Fd)
{
    const QByteArray Text = QByteArray::number(qint64(::getpid())) + '\n';
    return ::ftruncate(Fd, 0) == 0 && ::pwrite(Fd, Text.constData(), size_t(Text.size()), 0) == Text.size();
}

} // namespace

TFileLock::TFileLock(const String& FileName) : FFileName(FileName)
{
    FLockFileName = ExtractFilePath(FileName) + QLatin1Char('.') + ExtractFileName(FileName) + QStringLiteral(".lock");
}

TFileLock::~TFileLock()
{
    Release();
}

int TFileLock::OpenLockFile()
{
    // Never through a link someone planted in a shared folder.
    return ::open(QFile::encodeName(FLockFileName).constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
}

// Whether the lock file Fd has open is still the one its name leads to: a
// holder that released removed it, and a third party may have made a new
// one meanwhile, which is the lock that counts.
bool TFileLock::StillNamed(int Fd) const
{
    struct stat Open, Named;
    return ::fstat(Fd, &Open) == 0 && ::lstat(QFile::encodeName(FLockFileName).constData(), &Named) == 0
        && Open.st_dev == Named.st_dev && Open.st_ino == Named.st_ino;
}

void TFileLock::Refused(int Fd)
{
    FHolderPid = ReadPid(Fd);
    ::close(Fd);
}

TFileLockResult TFileLock::Acquire()
{
    if (Locked())
        return flLocked;
    FHolderPid = 0;
    FErrorCode = 0;
    for (;;) {
        const int Fd = OpenLockFile();
        if (Fd < 0) {
            FErrorCode = errno;
            return flFailed;
        }
        if (FlockNonBlocking(Fd) != 0) {
            const int Code = errno;
            if (Code == EWOULDBLOCK) {
                Refused(Fd);
                return flHeld;
            }
            ::close(Fd);
            FErrorCode = Code;
            return flFailed;
        }
        if (!StillNamed(Fd)) {
            ::close(Fd);
            continue;
        }
        // Ours now, whoever wrote the file before (a holder that died).
        if (!WritePid(Fd)) {
            FErrorCode = errno;
            ::unlink(QFile::encodeName(FLockFileName).constData());
            ::close(Fd);
            return flFailed;
        }
        FFd = Fd;
        return flLocked;
    }
}

void TFileLock::Release()
{
    if (FFd < 0)
        return;
    // Removed while still locked, so nobody takes a lock on a file that is
    // about to go (StillNamed sends them to the new one).
    ::unlink(QFile::encodeName(FLockFileName).constData());
    ::close(FFd);
    FFd = -1;
}
