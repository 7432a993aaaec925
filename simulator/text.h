// Parsing and formatting of the printer's text fields: decimal integers,
// fixed-point amounts, the calendar and the paper's column layout. Amounts
// are kept as integers in hundredths, quantities in thousandths.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace simulator {

// Splits at every `separator`; empty pieces count ("A,,B" gives three).
std::vector<std::string_view> SplitFields(std::string_view text, char separator = ',');

std::string_view TrimSpaces(std::string_view text);

// The whole text must be an optional sign and 1..15 decimal digits.
bool ParseInteger(std::string_view text, std::int64_t& value);

// An optional sign, digits and at most `decimals` digits after a point
// ("12.5" with 2 decimals gives 1250). The whole text must match.
bool ParseFixed(std::string_view text, int decimals, std::int64_t& value);

// 1250 with 2 decimals gives "12.50"; -5 gives "-0.05".
std::string FormatFixed(std::int64_t value, int decimals);

// value * numerator / denominator, rounded half away from zero. Callers keep
// the product within 64 bits (prices and quantities are bounded on entry).
std::int64_t MulDivRounded(std::int64_t value, std::int64_t numerator, std::int64_t denominator);

// The printer's calendar: seconds since 1970-01-01 00:00 of its local time.
struct CivilTime {
    int Year = 1970, Month = 1, Day = 1, Hour = 0, Minute = 0, Second = 0;
};
CivilTime CivilOf(std::int64_t seconds);
std::int64_t SecondsOf(const CivilTime& t);
std::int64_t DayOf(std::int64_t seconds);  // days since 1970-01-01

// "DD-MM-YY HH:MM:SS", the form of the clock commands.
std::string FormatDateTime(std::int64_t seconds);
// "DD-MM-YY" and "HH:MM:SS".
std::string FormatDate(std::int64_t seconds);
std::string FormatTime(std::int64_t seconds);
// Reads "DD-MM-YY HH:MM:SS" (seconds optional); false for anything else or
// an impossible date.
bool ParseDateTime(std::string_view text, std::int64_t& seconds);
// Reads "DDMMYY" as the day number; false when it is not a date.
bool ParseReportDate(std::string_view text, std::int64_t& day);

// Paper layout of 36 columns, in 8-bit text (one byte, one column).
inline constexpr std::size_t kPaperWidth = 36;
std::string Centered(std::string_view text);
// `left` and `right` at both edges; a left part too long is cut.
std::string Columns(std::string_view left, std::string_view right);

}  // namespace simulator
