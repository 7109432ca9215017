#pragma once
// Whether another copy of the program runs: a lock on a file in the
// temporary folder, named after the program, held while this object lives.
// The lock goes with the process, so a copy that crashed never blocks the
// next one.  The file itself stays (removing it would let two copies lock
// two different files).
#include "platform/rtl/System.h"

class TSiInstanceLock {
public:
    // Locks "<temporary folder><Name>.lock".  A folder or file that cannot
    // be used leaves no lock and no previous instance.
    explicit TSiInstanceLock(const String& Name);
    ~TSiInstanceLock();
    TSiInstanceLock(const TSiInstanceLock&) = delete;
    TSiInstanceLock& operator=(const TSiInstanceLock&) = delete;

    // Another holder had the lock when this one asked.
    bool PreviousInstance() const { return FPreviousInstance; }
    bool Locked() const { return FLocked; }
    String FileName() const { return FFileName; }

private:
    String FFileName;
    int FFd = -1;
    bool FPreviousInstance = false;
    bool FLocked = false;
};
