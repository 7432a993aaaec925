#include "devicelink/status_word.h"

#include <cstddef>

namespace devicelink {

namespace {

struct StatusBit {
    std::uint8_t Byte;
    std::uint8_t Bit;
    std::uint32_t Flag;
};

// Which status-byte bit raises which flag. Bits not listed reach no flag.
constexpr StatusBit kStatusBits[] = {
    {0, 0, 0x00000001}, {0, 1, 0x00000002}, {0, 2, 0x00000004}, {0, 4, 0x00000008},
    {1, 0, 0x00000010}, {1, 1, 0x00000020}, {1, 2, 0x00000040}, {1, 3, 0x00000080},
    {1, 4, 0x00000100}, {2, 0, 0x00000200}, {2, 3, 0x00000400}, {2, 5, 0x00000800},
    {1, 5, 0x00001000}, {4, 2, 0x00002000}, {5, 5, 0x00004000}, {4, 0, 0x00010000},
    {4, 4, 0x00020000}, {5, 0, 0x00040000}, {5, 2, 0x00080000}, {4, 3, 0x00100000},
    {5, 1, 0x00200000}, {5, 3, 0x00400000}, {5, 4, 0x00800000}, {0, 5, 0x08000000},
    {4, 5, 0x10000000},
};

}  // namespace

std::uint32_t StatusFlagsOf(const std::uint8_t (&status)[kStatusBytes]) {
    std::uint32_t word = 0;
    for (const StatusBit& s : kStatusBits)
        if (status[s.Byte] & (1u << s.Bit)) word |= s.Flag;
    return word;
}

}  // namespace devicelink
