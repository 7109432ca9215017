// Mutations for the table file target.  A table file carries its length
// and a CRC-32 of all its bytes, which a random change almost never keeps:
// the reader would refuse nearly every input by its checksum and the fuzzer
// would never get past it.  So most mutated inputs are resealed, as a forger
// would, and the rest keep testing the seals themselves.
#include "platform/db/Crc32.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* Data, std::size_t Size, std::size_t MaxSize);

namespace {

// Where the header keeps the file length (see TableFile.h), and the sizes
// of header and trailer.
constexpr std::size_t LengthAt = 16;
constexpr std::size_t HeaderSize = 40;
constexpr std::size_t CrcSize = 4;

} // namespace

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* Data, std::size_t Size, std::size_t MaxSize,
                                               unsigned int Seed)
{
    Size = LLVMFuzzerMutate(Data, Size, MaxSize);
    if (Size < HeaderSize + CrcSize || Seed % 8 == 0)
        return Size;
    const std::uint64_t Length = Size;
    std::memcpy(Data + LengthAt, &Length, sizeof Length);
    const std::uint32_t Crc = Crc32(Data, Size - CrcSize);
    std::memcpy(Data + Size - CrcSize, &Crc, sizeof Crc);
    return Size;
}
