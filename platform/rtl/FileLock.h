#pragma once
// A lock on a file by its path, held while the program works on the file
// (a contact file that is open), so that a second copy of the program, or
// a second window, does not open it as well and overwrite the first one's
// changes.
//
// On Linux: an flock(2) lock on a hidden lock file beside the file
// (".<name>.lock"), which holds the holder's process id; the kernel drops
// the lock when its holder ends, however it ends, so a lock file left by a
// process that died is simply taken over.  The file itself is never locked:
// it is replaced by a new file on every save, which would lose the lock.
#include "platform/rtl/System.h"

#include <cstdint>

enum TFileLockResult {
    flLocked, // this object holds the lock now
    flHeld, // another holder has it: HolderPid() names it
    flFailed, // the lock file cannot be made (ErrorCode() says why)
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
    // another, gets flHeld.
    TFileLockResult Acquire();
    // Gives the lock up and removes the lock file.
    void Release();
    bool Locked() const { return FFd >= 0; }

    String FileName() const { return FFileName; }
    String LockFileName() const { return FLockFileName; }
    // After flHeld: the process id the holder wrote, 0 when it wrote none
    // (it is still writing it, or is not one of us).
    std::int64_t HolderPid() const { return FHolderPid; }
    // After flFailed: the errno value.
    int ErrorCode() const { return FErrorCode; }

private:
    int OpenLockFile();
    bool StillNamed(int Fd) const;
    void Refused(int Fd);

    String FFileName;
    String FLockFileName;
    int FFd = -1;
    std::int64_t FHolderPid = 0;
    int FErrorCode = 0;
};
