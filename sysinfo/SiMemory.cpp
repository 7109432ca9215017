#include "sysinfo/SiMemory.h"

#include "sysinfo/SiSystemFiles.h"

#include <limits>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr std::uint64_t MaxKiB = std::numeric_limits<std::uint64_t>::max() / 1024;

// The figures of /proc/meminfo this status needs, in bytes.
struct TMemInfo {
    std::uint64_t MemTotal = 0;
    std::uint64_t MemFree = 0;
    std::uint64_t MemAvailable = 0;
    bool HasMemAvailable = false;
    std::uint64_t Buffers = 0;
    std::uint64_t Cached = 0;
    std::uint64_t SwapTotal = 0;
    std::uint64_t SwapFree = 0;
};

// "Name:   123 kB" as bytes (saturating far beyond any real memory).
std::uint64_t LineBytes(QByteArrayView Rest)
{
    std::uint64_t KiB = 0;
    for (char Ch : Rest.trimmed()) {
        if (Ch < '0' || Ch > '9')
            break;
        if (KiB > MaxKiB / 10)
            return MaxKiB * 1024;
        KiB = KiB * 10 + std::uint64_t(Ch - '0');
    }
    return std::min(KiB, MaxKiB) * 1024;
}

TMemInfo ParseMemInfo(const QByteArray& Text)
{
    TMemInfo M;
    const struct {
        const char* Name;
        std::uint64_t TMemInfo::*Field;
    } Wanted[] = {
        {"MemTotal", &TMemInfo::MemTotal}, {"MemFree", &TMemInfo::MemFree}, {"MemAvailable", &TMemInfo::MemAvailable},
        {"Buffers", &TMemInfo::Buffers},   {"Cached", &TMemInfo::Cached},   {"SwapTotal", &TMemInfo::SwapTotal},
        {"SwapFree", &TMemInfo::SwapFree}};
    for (qsizetype Start = 0; Start < Text.size();) {
        qsizetype End = Text.indexOf('\n', Start);
        if (End < 0)
            End = Text.size();
        const QByteArrayView Line = QByteArrayView(Text).sliced(Start, End - Start);
        Start = End + 1;
        const qsizetype Colon = Line.indexOf(':');
        if (Colon <= 0)
            continue;
        const QByteArrayView Name = Line.first(Colon);
        for (const auto& W : Wanted)
            if (Name == W.Name) {
                M.*W.Field = LineBytes(Line.sliced(Colon + 1));
                M.HasMemAvailable = M.HasMemAvailable || W.Field == &TMemInfo::MemAvailable;
            }
    }
    return M;
}

// Percent of Total that Used is, without overflow.
std::uint32_t Percent(std::uint64_t Used, std::uint64_t Total)
{
    if (Total == 0)
        return 0;
    if (Total <= std::numeric_limits<std::uint64_t>::max() / 100)
        return std::uint32_t(Used * 100 / Total);
    return std::uint32_t(Used / (Total / 100));
}

std::uint64_t FirstNumber(const QByteArray& Text)
{
    std::uint64_t Value = 0;
    for (char Ch : Text) {
        if (Ch < '0' || Ch > '9')
            break;
        Value = Value * 10 + std::uint64_t(Ch - '0');
    }
    return Value;
}

// The user part of the address space the architecture gives a process.
std::uint64_t ArchitectureAddressSpace()
{
    if constexpr (sizeof(void*) == 4)
        return std::uint64_t(3) << 30;
#if defined(__aarch64__)
    return std::uint64_t(1) << 48;
#else
    return (std::uint64_t(1) << 47) - 4096;
#endif
}

std::uint64_t AddressSpace()
{
    static const std::uint64_t Arch = ArchitectureAddressSpace();
    struct rlimit Limit;
    if (::getrlimit(RLIMIT_AS, &Limit) == 0 && Limit.rlim_cur != RLIM_INFINITY)
        return std::min<std::uint64_t>(Limit.rlim_cur, Arch);
    return Arch;
}

} // namespace

TSiMemoryStatus ParseMemoryStatus(const QByteArray& MemInfo, const QByteArray& Statm, std::uint64_t AddressSpace,
                                  std::uint64_t PageSize)
{
    const TMemInfo M = ParseMemInfo(MemInfo);
    TSiMemoryStatus S;
    S.TotalPhys = M.MemTotal;
    // Kernels before 3.14 do not say what is available.
    S.AvailPhys = M.HasMemAvailable ? M.MemAvailable : M.MemFree + M.Buffers + M.Cached;
    S.AvailPhys = std::min(S.AvailPhys, S.TotalPhys);
    S.MemoryLoad = Percent(S.TotalPhys - S.AvailPhys, S.TotalPhys);
    S.TotalPageFile = M.SwapTotal;
    S.AvailPageFile = std::min(M.SwapFree, M.SwapTotal);
    S.TotalVirtual = AddressSpace;
    const std::uint64_t Pages = FirstNumber(Statm);
    const bool Overflows = PageSize != 0 && Pages > AddressSpace / PageSize;
    S.AvailVirtual = AddressSpace - (Overflows ? AddressSpace : Pages * PageSize);
    return S;
}

TSiMemoryStatus GetSiMemoryStatus()
{
    static const std::uint64_t PageSize = std::uint64_t(::sysconf(_SC_PAGESIZE));
    return ParseMemoryStatus(SiReadSystemFile("/proc/meminfo"), SiReadSystemFile("/proc/self/statm"), AddressSpace(),
                             PageSize);
}
