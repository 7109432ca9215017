#include "platform/db/Crc32.h"

#include <array>
#include <bit>
#include <cstring>

static_assert(std::endian::native == std::endian::little, "table files are little-endian");

namespace {

struct TCrcTables {
    std::array<std::array<std::uint32_t, 256>, 8> T{};
    TCrcTables()
    {
        for (std::uint32_t I = 0; I < 256; ++I) {
            std::uint32_t C = I;
            for (int K = 0; K < 8; ++K)
                C = (C & 1) ? (0xEDB88320u ^ (C >> 1)) : (C >> 1);
            T[0][I] = C;
        }
        for (std::uint32_t I = 0; I < 256; ++I)
            for (int S = 1; S < 8; ++S)
                T[S][I] = (T[S - 1][I] >> 8) ^ T[0][T[S - 1][I] & 0xFF];
    }
};

const TCrcTables& Tables()
{
    static const TCrcTables Instance;
    return Instance;
}

}  // namespace

std::uint32_t Crc32(const void* Data, std::size_t Length, std::uint32_t Crc)
{
    const auto& T = Tables().T;
    const auto* P = static_cast<const unsigned char*>(Data);
    std::uint32_t C = ~Crc;
    while (Length >= 8) {
        std::uint32_t Lo, Hi;
        std::memcpy(&Lo, P, 4);
        std::memcpy(&Hi, P + 4, 4);
        Lo ^= C;
        C = T[7][Lo & 0xFF] ^ T[6][(Lo >> 8) & 0xFF] ^ T[5][(Lo >> 16) & 0xFF] ^ T[4][Lo >> 24]
            ^ T[3][Hi & 0xFF] ^ T[2][(Hi >> 8) & 0xFF] ^ T[1][(Hi >> 16) & 0xFF] ^ T[0][Hi >> 24];
        P += 8;
        Length -= 8;
    }
    while (Length-- > 0)
        C = T[0][(C ^ *P++) & 0xFF] ^ (C >> 8);
    return ~C;
}
