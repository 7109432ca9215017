#include "platform/rtl/FileLock.h"

#include "platform/rtl/FileStamp.h"
#include "platform/rtl/FileUtils.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
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

// Whether a line of /proc/locks ("1: FLOCK  ADVISORY  WRITE 4711 08:02:1234
// 0 EOF") is a granted flock on the file Info describes; its process id then.
std::int64_t FlockHolderIn(const QByteArray& Line, const struct stat& Info)
{
    const QList<QByteArray> Parts = Line.simplified().split(' ');
    if (Parts.size() < 6 || Parts[1] != "FLOCK")
        return 0; // a waiter ("->"), or a lock of another kind
    const QList<QByteArray> Id = Parts[5].split(':');
    bool Ok[4] = {};
    const unsigned Major = Id.size() == 3 ? Id[0].toUInt(&Ok[0], 16) : 0;
    const unsigned Minor = Id.size() == 3 ? Id[1].toUInt(&Ok[1], 16) : 0;
    const qulonglong Inode = Id.size() == 3 ? Id[2].toULongLong(&Ok[2]) : 0;
    const qlonglong Pid = Parts[4].toLongLong(&Ok[3]);
    const bool Same = Ok[0] && Ok[1] && Ok[2] && Major == ::major(Info.st_dev) && Minor == ::minor(Info.st_dev)
        && Inode == qulonglong(Info.st_ino);
    return Same && Ok[3] && Pid > 0 ? Pid : 0;
}

// The process that holds an flock on the open file Fd, as the kernel lists
// it; 0 when it cannot tell (another process namespace, no /proc).
std::int64_t FlockHolder(int Fd)
{
    struct stat Info;
    QFile Locks(QStringLiteral("/proc/locks"));
    if (::fstat(Fd, &Info) != 0 || !Locks.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& Line : Locks.readAll().split('\n'))
        if (const std::int64_t Pid = FlockHolderIn(Line, Info))
            return Pid;
    return 0;
}

TLockFileHook& LockFileHook()
{
    static TLockFileHook Hook;
    return Hook;
}

String LockFileNameOf(const String& FileName)
{
    return ExtractFilePath(FileName) + QLatin1Char('.') + ExtractFileName(FileName) + QStringLiteral(".lock");
}

} // namespace

TFileLock::TFileLock(const String& FileName) : FFileName(FileName), FLockFileName(LockFileNameOf(FileName))
{}

TFileLock::~TFileLock()
{
    Release();
}

int TFileLock::OpenLockFile()
{
    if (const TLockFileHook& Hook = LockFileHook())
        if (const int Code = Hook(FLockFileName)) {
            errno = Code;
            return -1;
        }
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
    if (LockFileItself() == flHeld)
        return flHeld;
    const TFileLockResult Beside = LockBeside();
    if (Beside == flHeld) {
        Release();
        return flHeld;
    }
    return Locked() ? flLocked : flFailed;
}

TFileLockResult TFileLock::LockFileItself()
{
    // A regular file only, never waiting on a pipe; for reading wherever
    // that is enough: a sync tool watching the file takes a close after
    // writing for a change.
    TOpenForReading Kind;
    int Fd = OpenRegularDescriptor(FFileName, O_RDONLY, Kind);
    if (Fd < 0)
        return flFailed; // not there yet, or nothing a lock could be held on
    int Result = FlockNonBlocking(Fd);
    if (Result != 0 && errno == EBADF) {
        // Where flock is carried out as a lock on the file's bytes (NFS) an
        // exclusive lock needs the file open for writing.
        ::close(Fd);
        Fd = OpenRegularDescriptor(FFileName, O_RDWR, Kind);
        if (Fd < 0)
            return flFailed;
        Result = FlockNonBlocking(Fd);
    }
    if (Result != 0) {
        const bool Held = errno == EWOULDBLOCK;
        if (Held)
            FHolderPid = FlockHolder(Fd);
        ::close(Fd);
        return Held ? flHeld : flFailed;
    }
    FFileFd = Fd;
    return flLocked;
}

TFileLockResult TFileLock::LockBeside()
{
    // Beside the file's one name, so that every name of it finds this lock
    // file, also before the file exists.
    FLockFileName = LockFileNameOf(CanonicalFileName(FFileName));
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

bool TFileLock::AcquireLockFile()
{
    if (HasLockFile())
        return true;
    FHolderPid = 0;
    FErrorCode = 0;
    return LockBeside() == flLocked;
}

bool TFileLock::WritesRefusedBeside() const
{
    switch (FErrorCode) {
    case EROFS:
    case ENOSPC:
    case EDQUOT:
        return true;
    case EACCES:
    case EPERM: {
        // The folder refused a new file; a lock file of another user's that
        // may not be opened says nothing about the folder.
        struct stat Info;
        return ::lstat(QFile::encodeName(FLockFileName).constData(), &Info) != 0 && errno == ENOENT;
    }
    default:
        return false;
    }
}

bool TFileLock::Guards(const String& FileName) const
{
    if (!Locked())
        return false;
    if (SamePath(FFileName, FileName))
        return true;
    return FFileFd >= 0 && FileStampOf(FileName).SameFile(FileStampOf(FFileFd));
}

void TFileLock::Release()
{
    if (FFd >= 0) {
        // Removed while still locked, so nobody takes a lock on a file that
        // is about to go (StillNamed sends them to the new one).
        ::unlink(QFile::encodeName(FLockFileName).constData());
        ::close(FFd);
        FFd = -1;
    }
    if (FFileFd >= 0) {
        ::close(FFileFd);
        FFileFd = -1;
    }
}

void SetLockFileHook(TLockFileHook Hook)
{
    LockFileHook() = std::move(Hook);
}
