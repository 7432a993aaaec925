#include "fiscal/object_state.h"

#include <cctype>
#include <limits>

namespace fiscal {

ObjectState& State() {
    static ObjectState state;
    return state;
}

const char* ReplyField(int i) {
    const devicelink::RetData& r = State().LastReply;
    return i >= 0 && i < r.FieldCount ? r.Fields[i] : "";
}

long long IntegerOf(const char* text) {
    while (*text == ' ') ++text;
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    // Saturate instead of overflowing on an absurdly long digit run.
    constexpr long long kLimit = std::numeric_limits<long long>::max() / 10 - 9;
    long long value = 0;
    for (; std::isdigit(static_cast<unsigned char>(*text)); ++text)
        if (value < kLimit) value = value * 10 + (*text - '0');
    return negative ? -value : value;
}

}  // namespace fiscal
