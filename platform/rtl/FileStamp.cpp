#include "platform/rtl/FileStamp.h"

#include <QFile>
#include <sys/stat.h>

namespace {

std::int64_t Nanoseconds(const struct timespec& T)
{
    return std::int64_t(T.tv_sec) * 1000000000 + T.tv_nsec;
}

} // namespace

TFileStamp FileStampOf(const struct stat& Info)
{
    TFileStamp Stamp;
    Stamp.Exists = true;
    Stamp.Device = std::uint64_t(Info.st_dev);
    Stamp.Inode = std::uint64_t(Info.st_ino);
    Stamp.Size = std::int64_t(Info.st_size);
    Stamp.Modified = Nanoseconds(Info.st_mtim);
    Stamp.Changed = Nanoseconds(Info.st_ctim);
    return Stamp;
}

TFileStamp FileStampOf(const String& FileName)
{
    struct stat Info;
    if (FileName.isEmpty() || ::stat(QFile::encodeName(FileName).constData(), &Info) != 0)
        return {};
    return FileStampOf(Info);
}

TFileStamp FileStampOf(int Fd)
{
    struct stat Info;
    if (Fd < 0 || ::fstat(Fd, &Info) != 0)
        return {};
    return FileStampOf(Info);
}
