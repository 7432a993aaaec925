// Numbers for the printer's data fields. The printer reads a decimal point
// only, so these never consult the C or C++ locale.
#pragma once

#include <cstddef>

namespace commands {

// Writes `value` with exactly `decimals` digits after a decimal point and no
// fill characters, as printf's "%.*f" does in the "C" locale (the binary
// value rounded half to even, "-0.00" for small negatives). Returns the
// number of characters written (no terminator), or 0 when the value is not
// finite or does not fit in `capacity`.
std::size_t FormatFixed(double value, int decimals, char* out, std::size_t capacity);

// Amounts, prices and percentages travel with two decimals, quantities with
// three.
inline constexpr int kAmountDecimals = 2;
inline constexpr int kQuantityDecimals = 3;

}  // namespace commands
