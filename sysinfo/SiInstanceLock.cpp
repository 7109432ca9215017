#include "sysinfo/SiInstanceLock.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

TSiInstanceLock::TSiInstanceLock(const String& Name)
{
    try {
        FFileName = GetTempPath() + Name + QStringLiteral(".lock");
    } catch (const EInOutError&) {
        return;
    }
    // Never through a link someone planted in a shared temporary folder.
    FFd = ::open(QFile::encodeName(FFileName).constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (FFd < 0)
        return;
    int Result;
    do
        Result = ::flock(FFd, LOCK_EX | LOCK_NB);
    while (Result != 0 && errno == EINTR);
    FLocked = Result == 0;
    FPreviousInstance = !FLocked && errno == EWOULDBLOCK;
}

TSiInstanceLock::~TSiInstanceLock()
{
    if (FFd >= 0)
        ::close(FFd);
}
