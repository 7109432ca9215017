#include "sysinfo/SiInstanceLock.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"

TSiInstanceLock::TSiInstanceLock(const String& Name)
{
    try {
        FLock = std::make_unique<TFileLock>(GetTempPath() + Name);
    } catch (const EInOutError&) {
        return;
    }
    FPreviousInstance = FLock->Acquire() == flHeld;
}

TSiInstanceLock::~TSiInstanceLock() = default;
