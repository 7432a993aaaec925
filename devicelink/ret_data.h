// The record of one exchange, handed to the completion function.
#pragma once

#include <cstddef>
#include <cstdint>

#include "devicelink/frame.h"

namespace devicelink {

inline constexpr std::size_t kMaxFields = 20;

// Its text pointers point into the device link's own buffers and stay valid
// until the next exchange starts.
struct RetData {
    std::int32_t FieldCount = 0;
    std::int32_t CommandCode = 0;
    std::int32_t CallerTag = 0;
    std::uint32_t StatusWord = 0;
    const char* CommandName = "";  // UTF-8, see CommandNameOf
    const char* RequestData = "";
    const char* ReplyText = "";
    // Fields[i] for i < FieldCount; later entries keep older values.
    const char* Fields[kMaxFields] = {};
    std::uint8_t StatusByte[kStatusBytes] = {};  // bit 7 cleared
};

using Completion = void (*)(RetData&);

}  // namespace devicelink
