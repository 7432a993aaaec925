// The state that every automation object of the process shares: one printer
// and one serial port per process, so all clients see the same connection
// and the outcome of the last call, whoever made it.
#pragma once

#include <cstdint>

#include "devicelink/ret_data.h"

namespace fiscal {

// Status-word bits that make a member fail; the others only inform.
inline constexpr std::uint32_t FailureMask = 0x1F0F237F;
// LastStatusWord when no port was open or an argument was refused; a real
// status word never has bits 29 to 31 set.
inline constexpr std::uint32_t kRefusedStatusWord = 0xFFFFFFFF;

// OperationState values.
inline constexpr std::int32_t kSucceeded = 0;
inline constexpr std::int32_t kRefused = -1;
inline constexpr std::int32_t kDeviceFailed = -2;

struct ObjectState {
    std::int32_t PortOpen = -1;
    std::int32_t PortNumber = -1;
    std::int32_t LinkReady = 0;
    std::int32_t ReplyPending = 0;
    std::int32_t DeviceErrorCount = 0;
    devicelink::RetData LastReply{};
    std::uint32_t LastStatusWord = 0;
    std::uint8_t SavedStatusBytes[devicelink::kStatusBytes] = {};
    std::int32_t OperationState = kSucceeded;
    std::int32_t FPIndexStatus = 0;
};

ObjectState& State();

// Field i of the last reply, or "" when that reply did not carry it.
const char* ReplyField(int i);

// The integer of a reply field's leading characters: spaces skipped, an
// optional sign, decimal digits; no digits give 0.
long long IntegerOf(const char* text);

}  // namespace fiscal
