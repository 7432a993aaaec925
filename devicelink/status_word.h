// The 32-bit status word: status-byte flags plus three link bits.
#pragma once

#include <cstdint>

#include "devicelink/frame.h"

namespace devicelink {

inline constexpr std::uint32_t kStatusChecksumError = 0x01000000;
inline constexpr std::uint32_t kStatusNak = 0x02000000;
inline constexpr std::uint32_t kStatusNoReply = 0x04000000;

// Flags of the six status bytes as the reply carries them (bit 7 ignored).
std::uint32_t StatusFlagsOf(const std::uint8_t (&status)[kStatusBytes]);

}  // namespace devicelink
