#include "commands/data_field.h"

#include <cstdarg>
#include <cstring>

#include "commands/number_format.h"
#include "devicelink/device_link.h"

namespace commands {

DataField& DataField::Format(const char* format, ...) {
    if (tooLong_) return *this;
    const std::size_t room = kCapacity - length_;
    std::va_list args;
    va_start(args, format);
    const int written = std::vsnprintf(buffer_ + length_, room + 1, format, args);
    va_end(args);
    if (written < 0 || static_cast<std::size_t>(written) > room) {
        tooLong_ = true;
        buffer_[length_] = '\0';
        return *this;
    }
    length_ += static_cast<std::size_t>(written);
    return *this;
}

DataField& DataField::Append(std::string_view text) {
    if (tooLong_) return *this;
    if (text.size() > kCapacity - length_) {
        tooLong_ = true;
        return *this;
    }
    std::memcpy(buffer_ + length_, text.data(), text.size());
    length_ += text.size();
    buffer_[length_] = '\0';
    return *this;
}

DataField& DataField::AppendFixed(double value, int decimals) {
    if (tooLong_) return *this;
    // Finite values fail only for want of room.
    const std::size_t written =
        FormatFixed(value, decimals, buffer_ + length_, kCapacity - length_);
    if (written == 0) {
        tooLong_ = true;
        buffer_[length_] = '\0';
        return *this;
    }
    length_ += written;
    buffer_[length_] = '\0';
    return *this;
}

DataField& DataField::AppendAmount(double value) { return AppendFixed(value, kAmountDecimals); }

DataField& DataField::AppendQuantity(double value) {
    return AppendFixed(value, kQuantityDecimals);
}

int DataField::Send(devicelink::Completion completion, int tag, int commandCode) const {
    // A field that outgrew the buffer is longer than any frame holds: hand
    // the link the whole buffer, so that it refuses it by its length rule
    // after its own readiness check, as it would the complete field.
    const std::string_view data = tooLong_ ? std::string_view(buffer_, kCapacity) : View();
    return devicelink::TheDeviceLink().SendCommand(completion, tag, commandCode, data);
}

}  // namespace commands
