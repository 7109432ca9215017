#include "platform/rtl/SaveTemps.h"

#include "platform/rtl/FileUtils.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What sets our temporary files apart (see SaveTemps.h), and what mkostemp
// puts in place of the X's after it.
constexpr char Mark[] = "quorvytmp-";
constexpr int MarkLength = sizeof Mark - 1;
constexpr int RandomLength = 6;
// Where locks do not work, the age after which no save can still be busy.
constexpr std::time_t UnlockedStaleSeconds = 24 * 60 * 60;
// A fresh name is only needed again when a cleaner took the last one for an
// abandoned file in the instant before it was locked.
constexpr int CreateAttempts = 8;

// The first bytes of Name that fit in Room, never half a UTF-8 sequence.
QByteArray LeadingBytes(const QByteArray& Name, qsizetype Room)
{
    if (Name.size() <= Room)
        return Name;
    qsizetype Cut = Room;
    while (Cut > 0 && (static_cast<unsigned char>(Name.at(Cut)) & 0xC0) == 0x80)
        --Cut;
    return Name.left(Cut);
}

// ".<name>.quorvytmp-", with the name cut short where the whole temporary
// name would not fit in the folder's limit on names or, with the folder, in
// the system's on paths (which counts the closing zero byte): a file that
// can be opened must be saved, however near its name comes to a limit.
QByteArray TempPrefix(const String& Target)
{
    const qsizetype Folder = QFile::encodeName(ExtractFilePath(Target)).size();
    const qsizetype Longest = std::min<qsizetype>(MaxFileNameLength(ExtractFileDir(Target)), PATH_MAX - 1 - Folder);
    const qsizetype Room = std::max<qsizetype>(0, Longest - 2 - MarkLength - RandomLength);
    return '.' + LeadingBytes(QFile::encodeName(ExtractFileName(Target)), Room) + '.' + Mark;
}

bool IsRandomPart(const char* P)
{
    for (int I = 0; I < RandomLength; ++I) {
        const char C = P[I];
        if (!((C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || (C >= '0' && C <= '9')))
            return false;
    }
    return P[RandomLength] == '\0';
}

bool IsTempName(const char* Name, const QByteArray& Prefix)
{
    return std::strncmp(Name, Prefix.constData(), std::size_t(Prefix.size())) == 0
           && IsRandomPart(Name + Prefix.size());
}

bool SameFile(const struct stat& A, const struct stat& B)
{
    return A.st_dev == B.st_dev && A.st_ino == B.st_ino;
}

// Only what a save of ours could have left: a plain file of this user,
// with no second name that would make it someone's copy.
bool LooksAbandonable(const struct stat& Info)
{
    return S_ISREG(Info.st_mode) && Info.st_uid == ::geteuid() && Info.st_nlink == 1;
}

// True when no writer holds the open file.  The lock taken here is kept
// until Fd closes, so no writer can take the file back meanwhile.
bool WriterGone(int Fd, const struct stat& Info)
{
    if (::flock(Fd, LOCK_EX | LOCK_NB) == 0)
        return true;
    if (errno == EWOULDBLOCK || errno == EINTR)
        return false;
    return std::time(nullptr) - Info.st_mtime > UnlockedStaleSeconds;
}

int OpenForLock(int DirFd, const char* Name)
{
    const int Flags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    int Fd = ::openat(DirFd, Name, O_RDONLY | Flags);
    // A target without read permission gave its temporary file none either.
    if (Fd < 0 && errno == EACCES)
        Fd = ::openat(DirFd, Name, O_WRONLY | Flags);
    return Fd;
}

void RemoveIfAbandoned(int DirFd, const char* Name)
{
    struct stat Before;
    if (::fstatat(DirFd, Name, &Before, AT_SYMLINK_NOFOLLOW) != 0 || !LooksAbandonable(Before))
        return;
    const int Fd = OpenForLock(DirFd, Name);
    if (Fd < 0)
        return;
    struct stat Opened;
    struct stat Now;
    // After the lock the name must still be the file that was locked: a
    // writer that finished in between has renamed it away.
    if (::fstat(Fd, &Opened) == 0 && SameFile(Before, Opened) && WriterGone(Fd, Opened)
        && ::fstatat(DirFd, Name, &Now, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(Now, Opened))
        ::unlinkat(DirFd, Name, 0);
    ::close(Fd);
}

}  // namespace

String SaveTarget(const String& FileName)
{
    const QFileInfo Link(FileName);
    if (!Link.isSymLink())
        return FileName;
    String Resolved = Link.canonicalFilePath();
    if (Resolved.isEmpty())
        Resolved = Link.symLinkTarget();
    return Resolved.isEmpty() ? FileName : Resolved;
}

int CreateSaveTemp(const String& Target, QByteArray& Temp)
{
    const QByteArray Pattern = QFile::encodeName(ExtractFilePath(Target)) + TempPrefix(Target) + "XXXXXX";
    for (int Attempt = 0; Attempt < CreateAttempts; ++Attempt) {
        Temp = Pattern;
        const int Fd = ::mkostemp(Temp.data(), O_CLOEXEC);
        if (Fd < 0)
            return -1;
        // Without locks on this file system the writer goes on unlocked;
        // cleaners then go by age alone.
        const bool Taken = ::flock(Fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
        struct stat Info;
        // A cleaner that locked the new file before we did removes it.
        if (!Taken && ::fstat(Fd, &Info) == 0 && Info.st_nlink > 0)
            return Fd;
        ::close(Fd);
    }
    errno = EEXIST;
    return -1;
}

void RemoveAbandonedTempFiles(const String& FileName)
{
    if (FileName.isEmpty() || FileName.endsWith(PathDelim))
        return;
    const String Target = SaveTarget(FileName);
    const String Folder = ExtractFileDir(Target);
    const QByteArray Prefix = TempPrefix(Target);
    DIR* Dir = ::opendir(QFile::encodeName(Folder.isEmpty() ? QStringLiteral(".") : Folder).constData());
    if (Dir == nullptr)
        return;
    const int DirFd = ::dirfd(Dir);
    while (const dirent* Entry = ::readdir(Dir)) {
        if (IsTempName(Entry->d_name, Prefix))
            RemoveIfAbandoned(DirFd, Entry->d_name);
    }
    ::closedir(Dir);
}
