#pragma once
// Whether another copy of the program runs: the platform's file lock on a
// name in the temporary folder, held while this object lives.  The lock
// goes with the process, so a copy that crashed never blocks the next one.
#include "platform/rtl/FileLock.h"

#include <memory>

class TSiInstanceLock {
public:
    // Locks "<temporary folder><Name>".  A folder or file that cannot be
    // used leaves no lock and no previous instance.
    explicit TSiInstanceLock(const String& Name);
    ~TSiInstanceLock();
    TSiInstanceLock(const TSiInstanceLock&) = delete;
    TSiInstanceLock& operator=(const TSiInstanceLock&) = delete;

    // Another holder had the lock when this one asked.
    bool PreviousInstance() const { return FPreviousInstance; }
    bool Locked() const { return FLock && FLock->Locked(); }
    String FileName() const { return FLock ? FLock->LockFileName() : String(); }

private:
    std::unique_ptr<TFileLock> FLock;
    bool FPreviousInstance = false;
};
