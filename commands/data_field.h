// A device command's data field under composition, in a fixed buffer.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string_view>

#include "devicelink/frame.h"
#include "devicelink/ret_data.h"

#if defined(__MINGW_PRINTF_FORMAT)
#define VEXLOR_PRINTF_FORMAT __MINGW_PRINTF_FORMAT
#else
#define VEXLOR_PRINTF_FORMAT printf
#endif

namespace commands {

// Texts come from callers as C strings; a null one counts as empty.
inline const char* TextOf(const char* text) { return text ? text : ""; }

// Composition never writes past the buffer and never cuts the field short:
// a field that outgrows the buffer is marked too long, and Send then has the
// device link refuse it as over-long (kSendDataTooLong) without sending.
class DataField {
public:
    static constexpr std::size_t kCapacity = 256;
    static_assert(kCapacity > devicelink::kMaxRequestData);

    // printf-style for integers, characters and texts only: floating
    // conversions follow the locale, use AppendFixed for those.
    DataField& Format(const char* format, ...)
        __attribute__((format(VEXLOR_PRINTF_FORMAT, 2, 3)));
    DataField& Append(std::string_view text);
    DataField& Append(char c) { return Append(std::string_view(&c, 1)); }
    // `value` with `decimals` digits after a decimal point whatever the
    // locale; the caller has refused non-finite values before.
    DataField& AppendFixed(double value, int decimals);
    DataField& AppendAmount(double value);
    DataField& AppendQuantity(double value);

    std::string_view View() const { return {buffer_, length_}; }
    bool TooLong() const { return tooLong_; }

    // Sends the field through the process's device link and returns what
    // SendCommand returned.
    int Send(devicelink::Completion completion, int tag, int commandCode) const;

private:
    char buffer_[kCapacity + 1] = {};
    std::size_t length_ = 0;
    bool tooLong_ = false;
};

}  // namespace commands
