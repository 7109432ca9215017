#pragma once
// CRC-32 (the zlib/PNG polynomial) over table files.
#include <cstddef>
#include <cstdint>

std::uint32_t Crc32(const void* Data, std::size_t Length, std::uint32_t Crc = 0);
