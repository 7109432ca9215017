#pragma once
// The memory status in the seven figures of the classic extended status,
// from /proc in 64-bit arithmetic: nothing saturates at 4 GB.
//
// Physical memory is MemTotal and MemAvailable; swap stands in for the page
// file; the virtual figures are this process's address space and what of it
// is not mapped yet.  The extended virtual figure is always 0, as it was on
// Windows.
#include <QByteArray>
#include <cstdint>

struct TSiMemoryStatus {
    // Percent of physical memory in use; 0 when the total is unknown.
    std::uint32_t MemoryLoad = 0;
    std::uint64_t TotalPhys = 0;
    std::uint64_t AvailPhys = 0;
    std::uint64_t TotalPageFile = 0;
    std::uint64_t AvailPageFile = 0;
    std::uint64_t TotalVirtual = 0;
    std::uint64_t AvailVirtual = 0;
    std::uint64_t AvailExtendedVirtual = 0;
};

// From the texts of /proc/meminfo and /proc/self/statm, an address space of
// AddressSpace bytes and pages of PageSize bytes.  Missing or malformed
// lines count as 0.
TSiMemoryStatus ParseMemoryStatus(const QByteArray& MemInfo, const QByteArray& Statm, std::uint64_t AddressSpace,
                                  std::uint64_t PageSize);
// The status now.
TSiMemoryStatus GetSiMemoryStatus();
