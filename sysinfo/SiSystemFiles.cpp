#include "sysinfo/SiSystemFiles.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

TSiSystemFileHook& Hook()
{
    static TSiSystemFileHook H;
    return H;
}

// Plain reads: the files under /proc report a size of 0, and the status
// bar reads them every second, so no stat and no buffering layer.
QByteArray ReadWhole(const char* Path)
{
    const int Fd = ::open(Path, O_RDONLY | O_CLOEXEC);
    if (Fd < 0)
        return QByteArray();
    QByteArray Result;
    char Buffer[4096];
    for (;;) {
        const ssize_t N = ::read(Fd, Buffer, sizeof Buffer);
        if (N > 0) {
            Result.append(Buffer, N);
            continue;
        }
        if (N < 0 && errno == EINTR)
            continue;
        if (N < 0)
            Result.clear();
        break;
    }
    ::close(Fd);
    return Result;
}

} // namespace

QByteArray SiReadSystemFile(const char* Path)
{
    return Hook() ? Hook()(Path) : ReadWhole(Path);
}

void SetSiSystemFileHook(TSiSystemFileHook Hook_)
{
    Hook() = std::move(Hook_);
}
