#include "simulator/state_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace simulator {

namespace {

constexpr const char* kMagic = "ecrsim-state 1";

std::string Hex(const std::string& text) {
    if (text.empty()) return "-";
    std::string out;
    char buf[4];
    for (char ch : text) {
        std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned char>(ch));
        out += buf;
    }
    return out;
}

bool Unhex(const std::string& hex, std::string& text) {
    text.clear();
    if (hex == "-") return true;
    if (hex.size() % 2) return false;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        unsigned v;
        if (std::sscanf(hex.c_str() + i, "%2X", &v) != 1) return false;
        text += static_cast<char>(v);
    }
    return true;
}

template <std::size_t N>
void WriteAll(std::ostream& out, const std::int64_t (&v)[N]) {
    for (std::int64_t x : v) out << ' ' << x;
}

template <std::size_t N>
bool ReadAll(std::istream& in, std::int64_t (&v)[N]) {
    for (std::int64_t& x : v)
        if (!(in >> x)) return false;
    return true;
}

bool ReadAddress(std::istream& in, std::array<std::uint8_t, 4>& a) {
    for (std::uint8_t& octet : a) {
        unsigned v;
        if (!(in >> v) || v > 255) return false;
        octet = static_cast<std::uint8_t>(v);
    }
    return true;
}

void WriteAddress(std::ostream& out, const std::array<std::uint8_t, 4>& a) {
    for (std::uint8_t octet : a) out << ' ' << unsigned{octet};
}

// One record; false when it is malformed.
bool ReadRecord(const std::string& kind, std::istringstream& in, PrinterState& s,
                int& linesToRead) {
    if (kind == "report-password") {
        std::string hex;
        return in >> hex && Unhex(hex, s.ReportPassword);
    }
    if (kind == "operator") {
        int n;
        std::string name, password;
        if (!(in >> n >> name >> password) || n < 1 || n > kOperatorCount) return false;
        return Unhex(name, s.Operators[n - 1].Name) && Unhex(password, s.Operators[n - 1].Password);
    }
    if (kind == "article") {
        int slot, tax, group;
        Article a;
        std::string name;
        if (!(in >> slot >> tax >> group >> a.Price >> a.SoldQuantity >> a.SoldAmount >>
              a.RefundQuantity >> a.RefundAmount >> name) ||
            slot < 1 || slot > kArticleSlots || tax < kFirstTaxLetter ||
            tax >= kFirstTaxLetter + kTaxGroups || group < 0 || group > 99 || !Unhex(name, a.Name))
            return false;
        a.Programmed = true;
        a.Tax = static_cast<std::uint8_t>(tax);
        a.Group = group;
        s.Articles[slot] = a;
        return true;
    }
    if (kind == "day") {
        DayTotals& d = s.Day;
        return ReadAll(in, d.Sales) && ReadAll(in, d.Refunds) && ReadAll(in, d.SalePayments) &&
               ReadAll(in, d.RefundPayments) &&
               static_cast<bool>(in >> d.CashIn >> d.CashOut >> d.FiscalReceipts >>
                                 d.RefundReceipts >> d.Cancelled >> d.NonFiscal >> d.OpenedAt);
    }
    if (kind == "cash") return static_cast<bool>(in >> s.Cash);
    if (kind == "counters") return static_cast<bool>(in >> s.DocumentNumber >> s.FiscalNumber);
    if (kind == "clock") {
        int set;
        if (!(in >> s.ClockOffset >> set)) return false;
        s.ClockSet = set != 0;
        return true;
    }
    if (kind == "last-document") return static_cast<bool>(in >> s.LastDocumentAt);
    if (kind == "personalised") return static_cast<bool>(in >> s.PersonalisedAt);
    if (kind == "network") {
        NetworkParams& n = s.Network;
        int dhcp;
        unsigned port, period, repeat;
        if (!(in >> dhcp) || !ReadAddress(in, n.Address) || !ReadAddress(in, n.Mask) ||
            !ReadAddress(in, n.Bridge) || !ReadAddress(in, n.Target) ||
            !(in >> port >> period >> repeat) || port > 0xFFFF || period > 0xFFFF ||
            repeat > 0xFFFF)
            return false;
        n.Dhcp = dhcp != 0;
        n.Port = static_cast<std::uint16_t>(port);
        n.RepeatPeriod = static_cast<std::uint16_t>(period);
        n.RepeatAfterError = static_cast<std::uint16_t>(repeat);
        return true;
    }
    if (kind == "z") {
        ZRecord z;
        if (!(in >> z.Number >> z.At) || !ReadAll(in, z.Sales) || !ReadAll(in, z.Refunds) ||
            !(in >> z.FiscalReceipts >> z.RefundReceipts))
            return false;
        s.ZRecords.push_back(z);
        return true;
    }
    if (kind == "doc") {
        JournalDocument d;
        int refund;
        if (!(in >> d.Number >> d.ZNumber >> refund >> d.At) || !ReadAll(in, d.Groups) ||
            !(in >> linesToRead) || linesToRead < 0)
            return false;
        d.Refund = refund != 0;
        s.Journal.push_back(std::move(d));
        return true;
    }
    if (kind == "line") {
        std::string hex, text;
        if (linesToRead <= 0 || s.Journal.empty() || !(in >> hex) || !Unhex(hex, text))
            return false;
        s.Journal.back().Lines.push_back(std::move(text));
        --linesToRead;
        return true;
    }
    return false;
}

}  // namespace

bool LoadStateFile(const std::string& path, PrinterState& state, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::error_code ec;
        if (!std::filesystem::exists(path, ec)) return true;
        error = "cannot read " + path;
        return false;
    }
    PrinterState loaded;
    loaded.PersonalisedAt = state.PersonalisedAt;
    std::string line;
    int number = 0, linesToRead = 0;
    while (std::getline(file, line)) {
        ++number;
        if (number == 1) {
            if (line != kMagic) {
                error = path + ": not a state file";
                return false;
            }
            continue;
        }
        std::istringstream in(line);
        std::string kind;
        if (!(in >> kind)) continue;
        if (!ReadRecord(kind, in, loaded, linesToRead)) {
            error = path + ":" + std::to_string(number) + ": bad record";
            return false;
        }
    }
    if (number == 0) {
        error = path + ": empty file";
        return false;
    }
    state = std::move(loaded);
    return true;
}

bool SaveStateFile(const std::string& path, const PrinterState& s) {
    const std::string temporary = path + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out << kMagic << '\n';
        out << "report-password " << Hex(s.ReportPassword) << '\n';
        for (int i = 0; i < kOperatorCount; ++i)
            out << "operator " << i + 1 << ' ' << Hex(s.Operators[i].Name) << ' '
                << Hex(s.Operators[i].Password) << '\n';
        for (int n = 1; n <= kArticleSlots; ++n) {
            const Article& a = s.Articles[n];
            if (!a.Programmed) continue;
            out << "article " << n << ' ' << int{a.Tax} << ' ' << a.Group << ' ' << a.Price << ' '
                << a.SoldQuantity << ' ' << a.SoldAmount << ' ' << a.RefundQuantity << ' '
                << a.RefundAmount << ' ' << Hex(a.Name) << '\n';
        }
        const DayTotals& d = s.Day;
        out << "day";
        WriteAll(out, d.Sales);
        WriteAll(out, d.Refunds);
        WriteAll(out, d.SalePayments);
        WriteAll(out, d.RefundPayments);
        out << ' ' << d.CashIn << ' ' << d.CashOut << ' ' << d.FiscalReceipts << ' '
            << d.RefundReceipts << ' ' << d.Cancelled << ' ' << d.NonFiscal << ' ' << d.OpenedAt
            << '\n';
        out << "cash " << s.Cash << '\n';
        out << "counters " << s.DocumentNumber << ' ' << s.FiscalNumber << '\n';
        out << "clock " << s.ClockOffset << ' ' << (s.ClockSet ? 1 : 0) << '\n';
        out << "last-document " << s.LastDocumentAt << '\n';
        out << "personalised " << s.PersonalisedAt << '\n';
        const NetworkParams& n = s.Network;
        out << "network " << (n.Dhcp ? 1 : 0);
        WriteAddress(out, n.Address);
        WriteAddress(out, n.Mask);
        WriteAddress(out, n.Bridge);
        WriteAddress(out, n.Target);
        out << ' ' << n.Port << ' ' << n.RepeatPeriod << ' ' << n.RepeatAfterError << '\n';
        for (const ZRecord& z : s.ZRecords) {
            out << "z " << z.Number << ' ' << z.At;
            WriteAll(out, z.Sales);
            WriteAll(out, z.Refunds);
            out << ' ' << z.FiscalReceipts << ' ' << z.RefundReceipts << '\n';
        }
        for (const JournalDocument& doc : s.Journal) {
            out << "doc " << doc.Number << ' ' << doc.ZNumber << ' ' << (doc.Refund ? 1 : 0) << ' '
                << doc.At;
            WriteAll(out, doc.Groups);
            out << ' ' << doc.Lines.size() << '\n';
            for (const std::string& line : doc.Lines) out << "line " << Hex(line) << '\n';
        }
        if (!out.flush()) return false;
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    return !ec;
}

}  // namespace simulator
