#include "sysinfo/SiMemory.h"

#include "tests/sysinfo/SiTestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint64_t KB = 1024;
constexpr std::uint64_t Space = std::uint64_t(1) << 47;

} // namespace

TEST(SiMemory, FiguresBeyondFourGigabytesAreKeptWhole)
{
    // 8 TB of memory: more kilobytes than 32 bits hold.
    const std::uint64_t Total = std::uint64_t(8) << 30;
    const TSiMemoryStatus S =
        ParseMemoryStatus(MemInfoText(Total, Total / 4, 6000000, 1500000), "1000 200 0\n", Space, 4096);
    EXPECT_EQ(S.TotalPhys, Total * KB);
    EXPECT_EQ(S.AvailPhys, Total / 4 * KB);
    EXPECT_EQ(S.MemoryLoad, 75u);
    EXPECT_EQ(S.TotalPageFile, 6000000 * KB);
    EXPECT_EQ(S.AvailPageFile, 1500000 * KB);
    EXPECT_EQ(S.TotalVirtual, Space);
    EXPECT_EQ(S.AvailVirtual, Space - 1000 * 4096);
    EXPECT_EQ(S.AvailExtendedVirtual, 0u);
}

TEST(SiMemory, MissingAndOddFiguresNeverDivideByZeroOrOverflow)
{
    const struct {
        const char* Name;
        QByteArray MemInfo;
        std::uint32_t Load;
        std::uint64_t AvailPhys;
    } Cases[] = {
        {"empty", "", 0, 0},
        {"no total", "MemAvailable: 100 kB\n", 0, 0},
        {"zero total", MemInfoText(0, 0, 0, 0), 0, 0},
        {"old kernel", "MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 50 kB\nCached: 250 kB\n", 60, 400 * KB},
        {"available above total", MemInfoText(1000, 5000, 0, 0), 0, 1000 * KB},
        {"absurd", "MemTotal: 99999999999999999999999 kB\nMemAvailable: 0 kB\n", 100, 0},
    };
    for (const auto& C : Cases) {
        const TSiMemoryStatus S = ParseMemoryStatus(C.MemInfo, "", Space, 4096);
        EXPECT_EQ(S.MemoryLoad, C.Load) << C.Name;
        EXPECT_EQ(S.AvailPhys, C.AvailPhys) << C.Name;
        EXPECT_LE(S.AvailPhys, S.TotalPhys) << C.Name;
    }
    // More pages mapped than the address space holds leaves nothing free.
    EXPECT_EQ(ParseMemoryStatus("", "99999999999999", Space, 4096).AvailVirtual, 0u);
}
