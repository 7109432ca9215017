#pragma once
// Which file a name led to, and when it was last touched: enough to tell
// later whether the file under that name is still the one that was read,
// whoever changed it since (a sync tool restoring an older version, a copy
// from a backup, a second program).  The inode change time moves on every
// write and on every rename into place, and no program can set it back, so
// a file that was overwritten in place or replaced is always seen.
#include "platform/rtl/System.h"

#include <cstdint>

struct stat;

struct TFileStamp {
    bool Exists = false;
    std::uint64_t Device = 0;
    std::uint64_t Inode = 0;
    std::int64_t Size = 0;
    std::int64_t Modified = 0; // nanoseconds since 1970
    std::int64_t Changed = 0; // inode change, nanoseconds since 1970

    bool operator==(const TFileStamp&) const = default;
    bool SameFile(const TFileStamp& Other) const
    {
        return Exists && Other.Exists && Device == Other.Device && Inode == Other.Inode;
    }
};

// The stamp of what FileName leads to (links followed); Exists false when
// nothing is there.
TFileStamp FileStampOf(const String& FileName);
// The stamp of an open file.
TFileStamp FileStampOf(int Fd);
TFileStamp FileStampOf(const struct stat& Info);
