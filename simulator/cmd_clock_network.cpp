// The clock, the status query, the printer's identity and its network
// (modem) unit.
#include <cstdio>

#include "simulator/commands.h"
#include "simulator/text.h"

namespace simulator {

namespace {

bool HexDigit(char ch, int& v) {
    if (ch >= '0' && ch <= '9') v = ch - '0';
    else if (ch >= 'A' && ch <= 'F') v = ch - 'A' + 10;
    else return false;
    return true;
}

// Eight capital hexadecimal digits, two per octet in address order.
bool ParseAddress(std::string_view text, std::array<std::uint8_t, 4>& out) {
    if (text.size() != 8) return false;
    std::array<std::uint8_t, 4> a{};
    for (int i = 0; i < 4; ++i) {
        int hi, lo;
        if (!HexDigit(text[2 * i], hi) || !HexDigit(text[2 * i + 1], lo)) return false;
        a[i] = static_cast<std::uint8_t>(hi << 4 | lo);
    }
    out = a;
    return true;
}

// Four capital hexadecimal digits, the low byte's pair first.
bool ParseWord(std::string_view text, std::uint16_t& out) {
    int d[4];
    if (text.size() != 4) return false;
    for (int i = 0; i < 4; ++i)
        if (!HexDigit(text[i], d[i])) return false;
    out = static_cast<std::uint16_t>((d[0] << 4 | d[1]) | (d[2] << 4 | d[3]) << 8);
    return true;
}

std::string AddressHex(const std::array<std::uint8_t, 4>& a) {
    char buf[12];
    std::snprintf(buf, sizeof buf, "%02X%02X%02X%02X", a[0], a[1], a[2], a[3]);
    return buf;
}

std::string WordHex(std::uint16_t v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02X%02X", v & 0xFF, v >> 8);
    return buf;
}

std::string Dotted(const std::array<std::uint8_t, 4>& a) {
    return std::to_string(a[0]) + "." + std::to_string(a[1]) + "." + std::to_string(a[2]) + "." +
           std::to_string(a[3]);
}

bool ReportFlag(CommandContext& c, std::string_view d, bool& print) {
    if (d != "0" && d != "1") {
        c.Fail(status::kSyntaxError);
        return false;
    }
    print = d == "1";
    return !print || RequirePaper(c);
}

// Modem unit flags: 08h identifier set, 10h registered, 20h personalised,
// 40h network cable connected, 80h documents waiting to be sent.
std::uint8_t ModemFlags(const PrinterState& s) {
    return static_cast<std::uint8_t>(0x78 | (s.LastDocumentAt >= 0 ? 0x80 : 0));
}

}  // namespace

namespace handlers {

// DD-MM-YY HH:MM:SS. The clock never goes back before the last document.
void SetDateTime(CommandContext& c, std::string_view d) {
    std::int64_t when;
    if (!ParseDateTime(d, when)) {
        c.Fail(status::kSyntaxError);
        return;
    }
    if (!RequireIdle(c)) return;
    PrinterState& s = c.State;
    const std::int64_t lastZ = s.ZRecords.empty() ? -1 : s.ZRecords.back().At;
    if (when < s.LastDocumentAt || when < lastZ) {
        c.Fail(status::kNotAllowed);
        return;
    }
    s.ClockOffset += when - c.Now;
    s.ClockSet = true;
    c.Now = when;
    c.Changed = true;
}

void GetDateTime(CommandContext& c, std::string_view) { c.Reply = FormatDateTime(c.Now); }

// "W" or "X" (or nothing): the status bytes are the answer.
void GetStatus(CommandContext& c, std::string_view d) {
    if (!d.empty() && d != "W" && d != "X") c.Fail(status::kSyntaxError);
}

// firmware version, date and time, firmware checksum, switches, country,
// serial number, fiscal memory number. "1" also prints them.
void Diagnostics(CommandContext& c, std::string_view d) {
    bool print;
    if (!ReportFlag(c, d, print)) return;
    c.Reply = std::string(kFirmware) + ",4C2D,00000000,0," + kSerialNumber + "," + kFiscalNumber;
    if (print) {
        PrintHeader(c, "DIAGNOSTICS");
        c.Roll.Print(Columns("FIRMWARE", kFirmware));
        c.Roll.Print(Columns("Z RECORDS", std::to_string(c.State.ZRecords.size())));
        c.Roll.Print(Columns("JOURNAL", std::to_string(c.State.Journal.size())));
        PrintFooter(c);
    }
}

void DeviceId(CommandContext& c, std::string_view) { c.Reply = kDeviceId; }

// flag,address,mask,bridge,target,port,repeat period,repeat after error; a
// flag of 1 prints the new settings.
void WriteNetParams(CommandContext& c, std::string_view d) {
    const auto f = SplitFields(d);
    NetworkParams n = c.State.Network;
    if (f.size() != 8 || (f[0] != "0" && f[0] != "1") || !ParseAddress(f[1], n.Address) ||
        !ParseAddress(f[2], n.Mask) || !ParseAddress(f[3], n.Bridge) ||
        !ParseAddress(f[4], n.Target) || !ParseWord(f[5], n.Port) ||
        !ParseWord(f[6], n.RepeatPeriod) || !ParseWord(f[7], n.RepeatAfterError)) {
        c.Fail(status::kSyntaxError);
        return;
    }
    const bool print = f[0] == "1";
    if (!RequireIdle(c) || (print && !RequirePaper(c))) return;
    c.State.Network = n;
    c.Changed = true;
    if (print) {
        PrintHeader(c, "NETWORK SETTINGS");
        c.Roll.Print(Columns("ADDRESS", Dotted(n.Address)));
        c.Roll.Print(Columns("MASK", Dotted(n.Mask)));
        c.Roll.Print(Columns("BRIDGE", Dotted(n.Bridge)));
        c.Roll.Print(Columns("TARGET", Dotted(n.Target) + ":" + std::to_string(n.Port)));
        c.Roll.Print(Columns("REPEAT", std::to_string(n.RepeatPeriod) + " / " +
                                           std::to_string(n.RepeatAfterError)));
        PrintFooter(c);
    }
}

void ReadNetParams(CommandContext& c, std::string_view) {
    const NetworkParams& n = c.State.Network;
    c.Reply = std::string(n.Dhcp ? "1" : "0") + "," + AddressHex(n.Address) + "," +
              AddressHex(n.Mask) + "," + AddressHex(n.Bridge) + "," + AddressHex(n.Target) + "," +
              WordHex(n.Port) + "," + WordHex(n.RepeatPeriod) + "," + WordHex(n.RepeatAfterError);
}

// flags (two hexadecimal digits), date and time of the last document, date
// and time of personalisation. "1" also prints the report.
void ModemReport(CommandContext& c, std::string_view d) {
    bool print;
    if (!ReportFlag(c, d, print)) return;
    const PrinterState& s = c.State;
    const std::int64_t last = s.LastDocumentAt >= 0 ? s.LastDocumentAt : s.PersonalisedAt;
    char flags[4];
    std::snprintf(flags, sizeof flags, "%02X", ModemFlags(s));
    c.Reply = std::string(flags) + "," + FormatDate(last) + "," + FormatTime(last) + "," +
              FormatDate(s.PersonalisedAt) + "," + FormatTime(s.PersonalisedAt);
    if (print) {
        PrintHeader(c, "MODEM REPORT");
        c.Roll.Print(Columns("FLAGS", flags));
        c.Roll.Print(Columns("LAST DOCUMENT", FormatDateTime(last)));
        c.Roll.Print(Columns("PERSONALISED", FormatDateTime(s.PersonalisedAt)));
        PrintFooter(c);
    }
}

}  // namespace handlers

}  // namespace simulator
