#include "simulator/text.h"

#include <cstdio>

namespace simulator {

std::vector<std::string_view> SplitFields(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        if (end == std::string_view::npos) {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

std::string_view TrimSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the sign; returns false for an empty remainder.
bool TakeSign(std::string_view& text, bool& negative) {
    negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    return !text.empty();
}

constexpr std::size_t kMaxDigits = 15;

}  // namespace

bool ParseInteger(std::string_view text, std::int64_t& value) {
    bool negative;
    if (!TakeSign(text, negative) || text.size() > kMaxDigits) return false;
    std::int64_t v = 0;
    for (char c : text) {
        if (!IsDigit(c)) return false;
        v = v * 10 + (c - '0');
    }
    value = negative ? -v : v;
    return true;
}

bool ParseFixed(std::string_view text, int decimals, std::int64_t& value) {
    bool negative;
    if (!TakeSign(text, negative)) return false;
    std::int64_t v = 0;
    std::size_t digits = 0;
    int fraction = -1;  // digits after the point, -1 before it
    for (char c : text) {
        if (c == '.' && fraction < 0) {
            fraction = 0;
            continue;
        }
        if (!IsDigit(c) || ++digits > kMaxDigits) return false;
        if (fraction >= 0 && ++fraction > decimals) return false;
        v = v * 10 + (c - '0');
    }
    if (digits == 0) return false;
    for (int i = fraction < 0 ? 0 : fraction; i < decimals; ++i) v *= 10;
    value = negative ? -v : v;
    return true;
}

std::string FormatFixed(std::int64_t value, int decimals) {
    std::int64_t scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    const bool negative = value < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%s%llu.%0*llu", negative ? "-" : "",
                  static_cast<unsigned long long>(magnitude / scale), decimals,
                  static_cast<unsigned long long>(magnitude % scale));
    return buf;
}

std::int64_t MulDivRounded(std::int64_t value, std::int64_t numerator, std::int64_t denominator) {
    const std::int64_t product = value * numerator;
    const std::int64_t half = denominator / 2;
    return product >= 0 ? (product + half) / denominator : (product - half) / denominator;
}

namespace {

// Howard Hinnant's days-from-civil and civil-from-days.
std::int64_t DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = static_cast<int>(y - era * 400);
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int doe = static_cast<int>(z - era * 146097);
    const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp + (mp < 10 ? 3 : -9);
    y = static_cast<int>(yoe + era * 400) + (m <= 2);
}

bool ValidDate(int y, int m, int d) {
    if (m < 1 || m > 12 || d < 1) return false;
    int yy, mm, dd;
    CivilFromDays(DaysFromCivil(y, m, d), yy, mm, dd);
    return yy == y && mm == m && dd == d;
}

bool TwoDigits(std::string_view text, std::size_t at, int& value) {
    if (at + 2 > text.size() || !IsDigit(text[at]) || !IsDigit(text[at + 1])) return false;
    value = (text[at] - '0') * 10 + (text[at + 1] - '0');
    return true;
}

}  // namespace

std::int64_t DayOf(std::int64_t seconds) {
    return seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
}

CivilTime CivilOf(std::int64_t seconds) {
    CivilTime t;
    const std::int64_t day = DayOf(seconds);
    const std::int64_t rest = seconds - day * 86400;
    CivilFromDays(day, t.Year, t.Month, t.Day);
    t.Hour = static_cast<int>(rest / 3600);
    t.Minute = static_cast<int>(rest / 60 % 60);
    t.Second = static_cast<int>(rest % 60);
    return t;
}

std::int64_t SecondsOf(const CivilTime& t) {
    return DaysFromCivil(t.Year, t.Month, t.Day) * 86400 + t.Hour * 3600 + t.Minute * 60 + t.Second;
}

std::string FormatDate(std::int64_t seconds) {
    const CivilTime t = CivilOf(seconds);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d-%02d-%02d", t.Day, t.Month, t.Year % 100);
    return buf;
}

std::string FormatTime(std::int64_t seconds) {
    const CivilTime t = CivilOf(seconds);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.Hour, t.Minute, t.Second);
    return buf;
}

std::string FormatDateTime(std::int64_t seconds) {
    return FormatDate(seconds) + " " + FormatTime(seconds);
}

bool ParseDateTime(std::string_view text, std::int64_t& seconds) {
    if (text.size() != 14 && text.size() != 17) return false;
    CivilTime t;
    int yy;
    if (!TwoDigits(text, 0, t.Day) || text[2] != '-' || !TwoDigits(text, 3, t.Month) ||
        text[5] != '-' || !TwoDigits(text, 6, yy) || text[8] != ' ' ||
        !TwoDigits(text, 9, t.Hour) || text[11] != ':' || !TwoDigits(text, 12, t.Minute))
        return false;
    if (text.size() == 17 && (text[14] != ':' || !TwoDigits(text, 15, t.Second))) return false;
    t.Year = 2000 + yy;
    if (!ValidDate(t.Year, t.Month, t.Day) || t.Hour > 23 || t.Minute > 59 || t.Second > 59)
        return false;
    seconds = SecondsOf(t);
    return true;
}

bool ParseReportDate(std::string_view text, std::int64_t& day) {
    int d, m, y;
    if (text.size() != 6 || !TwoDigits(text, 0, d) || !TwoDigits(text, 2, m) ||
        !TwoDigits(text, 4, y) || !ValidDate(2000 + y, m, d))
        return false;
    day = DaysFromCivil(2000 + y, m, d);
    return true;
}

std::string Centered(std::string_view text) {
    if (text.size() >= kPaperWidth) return std::string(text.substr(0, kPaperWidth));
    return std::string((kPaperWidth - text.size()) / 2, ' ') + std::string(text);
}

std::string Columns(std::string_view left, std::string_view right) {
    if (right.size() >= kPaperWidth) return std::string(right.substr(0, kPaperWidth));
    const std::size_t room = kPaperWidth - right.size() - 1;
    std::string line(left.substr(0, room));
    line.append(kPaperWidth - line.size() - right.size(), ' ');
    line.append(right);
    return line;
}

}  // namespace simulator
