#include "commands/number_format.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace commands {

std::size_t FormatFixed(double value, int decimals, char* out, std::size_t capacity) {
    if (!std::isfinite(value)) return 0;
    const auto [end, error] =
        std::to_chars(out, out + capacity, value, std::chars_format::fixed, decimals);
    if (error != std::errc{}) return 0;
    return static_cast<std::size_t>(end - out);
}

}  // namespace commands
