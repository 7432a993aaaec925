// Steps the wrappers share.
#pragma once

#include <cmath>
#include <string_view>

#include "commands/commands.h"
#include "commands/data_field.h"
#include "devicelink/device_link.h"

namespace commands {

inline int SendData(Completion completion, int tag, int commandCode, std::string_view data) {
    return devicelink::TheDeviceLink().SendCommand(completion, tag, commandCode, data);
}

// An empty text rather than an empty view: the link copies the data, and a
// null source is not allowed even for no bytes.
inline int SendEmpty(Completion completion, int tag, int commandCode) {
    return SendData(completion, tag, commandCode, "");
}

inline int SendText(Completion completion, int tag, int commandCode, const char* text) {
    return SendData(completion, tag, commandCode, TextOf(text));
}

template <typename... Values>
bool AllFinite(Values... values) {
    return (std::isfinite(values) && ...);
}

}  // namespace commands
