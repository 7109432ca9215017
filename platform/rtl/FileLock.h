#pragma once
// A lock on a file, held while the program works on the file (a contact
// file that is open), so that a second copy of the program, or a second
// window, does not open it as well and overwrite the first one's changes.
//
// On Linux it is two flock(2) locks, which the kernel drops when their
// holder ends, however it ends, so nothing stale is ever left to clear:
// - one on the file itself, while it exists.  The same file reached through
//   a symbolic link, a hard link or another spelling of its path is the
//   same lock, and taking it needs neither free space nor a folder that may
//   be written.
// - one on a hidden lock file beside the file's one name (".<name>.lock",
//   links followed), which holds the holder's process id.  It covers a file
//   that does not exist yet, and a file that another program replaced while
//   it was open: the replacement is a new file that nobody has locked.
//   Where no lock file can be made (a full disk, a read-only folder) the
//   lock on the file itself stands in until AcquireLockFile makes it.
// The file is opened for reading (for writing only where the file system
// asks it for a lock) and never written through the lock: saves replace it
// with a new file, and the lock file still covers that.
#include "platform/rtl/System.h"

#include <cstdint>
#include <functional>

enum TFileLockResult {
    flLocked, // this object holds the lock now
    flHeld, // another holder has it: HolderPid() names it
    flFailed, // neither lock can be had here (ErrorCode() says why)
};

class TFileLock {
public:
    // Nothing is locked yet.
    explicit TFileLock(const String& FileName);
    // Releases the lock.
    ~TFileLock();
    TFileLock(const TFileLock&) = delete;
    TFileLock& operator=(const TFileLock&) = delete;

    // Takes the lock, without waiting; flLocked when this object already
    // holds it.  A second TFileLock on the same file, in this process or
    // another, under whatever name, gets flHeld.
    TFileLockResult Acquire();
    // Gives the lock up and removes the lock file.
    void Release();
    bool Locked() const { return FFd >= 0 || FFileFd >= 0; }
    // Whether this object holds the lock file beside the file.
    bool HasLockFile() const { return FFd >= 0; }
    // Where the lock file could not be made: tries again, keeping whatever
    // is held.  True once this object holds it; false while it still cannot
    // be made (ErrorCode() says why) or another holder has it (HolderPid()).
    bool AcquireLockFile();
    // After the lock file could not be made: whether that stops every write
    // beside the file too, a save included: the medium or the folder is
    // read-only or may not be written, or the disk or the quota is full.
    bool WritesRefusedBeside() const;
    // Whether the lock covers FileName: the name this lock was made for, or
    // another name of the file it holds.
    bool Guards(const String& FileName) const;

    String FileName() const { return FFileName; }
    String LockFileName() const { return FLockFileName; }
    // After flHeld: the holder's process id, 0 when it is not known (it is
    // still writing it, or is not one of us).
    std::int64_t HolderPid() const { return FHolderPid; }
    // After flFailed, or after flLocked or AcquireLockFile without a lock
    // file: the errno value of the lock file's failure.
    int ErrorCode() const { return FErrorCode; }

private:
    TFileLockResult LockFileItself();
    TFileLockResult LockBeside();
    int OpenLockFile();
    bool StillNamed(int Fd) const;
    void Refused(int Fd);

    String FFileName;
    String FLockFileName;
    int FFd = -1; // the lock file
    int FFileFd = -1; // the file itself
    std::int64_t FHolderPid = 0;
    int FErrorCode = 0;
};

// Called before a lock file is opened or made, with its name; an errno value
// other than 0 fails that attempt as the system would have.  Tests stand in
// for a read-only medium or a full disk with it, which they cannot make.  An
// empty hook leaves it to the system again.
using TLockFileHook = std::function<int(const String& LockFileName)>;
void SetLockFileHook(TLockFileHook Hook);
