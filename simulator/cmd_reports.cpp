// Day reports (X and Z), the totals reads, periodic reports from the fiscal
// memory, the articles report and the electronic journal's copies and tax
// report. Reports are long operations: the printer sends 16h meanwhile.
#include <algorithm>
#include <cstdio>

#include "simulator/commands.h"
#include "simulator/text.h"

namespace simulator {

namespace {

constexpr std::int64_t kMillis = 1000;
constexpr std::int64_t kMaxReportMicros = 3000 * kMillis;

std::string Money(std::int64_t v) { return FormatFixed(v, 2); }

std::string TaxLabel(int g) {
    return std::string(1, static_cast<char>(kFirstTaxLetter + g)) + " " +
           FormatFixed(kTaxRates[g], 2) + "%";
}

std::int64_t TaxOf(int g, std::int64_t amount) {
    return MulDivRounded(amount, kTaxRates[g], 10000 + kTaxRates[g]);
}

std::string Number4(int n) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d", n);
    return buf;
}

void PrintGroups(CommandContext& c, const char* title, const std::int64_t (&sums)[kTaxGroups]) {
    c.Roll.Print(title);
    for (int g = 0; g < kTaxGroups; ++g) {
        c.Roll.Print(Columns("  " + TaxLabel(g), Money(sums[g])));
        if (sums[g] != 0 && kTaxRates[g] != 0)
            c.Roll.Print(Columns("    TAX", Money(TaxOf(g, sums[g]))));
    }
}

std::int64_t Sum(const std::int64_t (&v)[kTaxGroups]) {
    std::int64_t s = 0;
    for (std::int64_t x : v) s += x;
    return s;
}

// "password,letter" and the other reports' leading password: the checks
// every report makes before it prints.
bool ReportAllowed(CommandContext& c, std::string_view password) {
    return RequireIdle(c) && RequireClock(c) && RequirePaper(c) &&
           RequireReportPassword(c, password);
}

void PrintDayReport(CommandContext& c, bool z) {
    const PrinterState& s = c.State;
    const DayTotals& d = s.Day;
    const int number = static_cast<int>(s.ZRecords.size()) + 1;
    PrintHeader(c, z ? "Z REPORT No " + Number4(number) : std::string("X REPORT"));
    c.Roll.Print(std::string(kPaperWidth, '-'));
    PrintGroups(c, "SALES", d.Sales);
    PrintGroups(c, "REFUNDS", d.Refunds);
    c.Roll.Print("PAYMENTS");
    for (int t = 0; t < kPaymentTypes; ++t)
        c.Roll.Print(Columns(std::string("  ") + kPaymentNames[t],
                             Money(d.SalePayments[t]) + " / " + Money(d.RefundPayments[t])));
    c.Roll.Print(Columns("SERVICE IN", Money(d.CashIn)));
    c.Roll.Print(Columns("SERVICE OUT", Money(d.CashOut)));
    c.Roll.Print(Columns("CASH IN DRAWER", Money(s.Cash)));
    c.Roll.Print(Columns("FISCAL RECEIPTS", std::to_string(d.FiscalReceipts)));
    c.Roll.Print(Columns("REFUND RECEIPTS", std::to_string(d.RefundReceipts)));
    c.Roll.Print(Columns("CANCELLED", std::to_string(d.Cancelled)));
    c.Roll.Print(Columns("NON-FISCAL", std::to_string(d.NonFiscal)));
    PrintFooter(c);
}

void CloseDay(CommandContext& c) {
    PrinterState& s = c.State;
    ZRecord z;
    z.Number = static_cast<int>(s.ZRecords.size()) + 1;
    z.At = c.Now;
    std::copy(std::begin(s.Day.Sales), std::end(s.Day.Sales), z.Sales);
    std::copy(std::begin(s.Day.Refunds), std::end(s.Day.Refunds), z.Refunds);
    z.FiscalReceipts = s.Day.FiscalReceipts;
    z.RefundReceipts = s.Day.RefundReceipts;
    s.ZRecords.push_back(z);
    s.Day = DayTotals{};
    s.Cash = 0;
    for (Article& a : s.Articles) a.SoldQuantity = a.SoldAmount = a.RefundQuantity = a.RefundAmount = 0;
    c.Changed = true;
}

enum class Range { ByNumber, ByDate };

// password,first,last over the Z records, by number or by date (DDMMYY,
// possibly right-aligned with spaces).
void PeriodicReport(CommandContext& c, std::string_view d, Range range, bool full) {
    const auto f = SplitFields(d);
    std::int64_t first = 0, last = 0;
    bool ok = f.size() == 3;
    if (ok && range == Range::ByNumber)
        ok = ParseInteger(f[1], first) && ParseInteger(f[2], last);
    else if (ok)
        ok = ParseReportDate(TrimSpaces(f[1]), first) && ParseReportDate(TrimSpaces(f[2]), last);
    if (!ok || first > last) {
        c.Fail(status::kSyntaxError);
        return;
    }
    if (!ReportAllowed(c, f[0])) return;
    std::vector<const ZRecord*> chosen;
    for (const ZRecord& z : c.State.ZRecords) {
        const std::int64_t key = range == Range::ByNumber ? z.Number : DayOf(z.At);
        if (key >= first && key <= last) chosen.push_back(&z);
    }
    PrintHeader(c, full ? "FULL PERIODIC REPORT" : "SHORT PERIODIC REPORT");
    if (range == Range::ByNumber)
        c.Roll.Print(Centered("Z " + Number4(static_cast<int>(first)) + " - " +
                              Number4(static_cast<int>(last))));
    else
        c.Roll.Print(Centered(FormatDate(first * 86400) + " - " + FormatDate(last * 86400)));
    c.Roll.Print(std::string(kPaperWidth, '-'));
    std::int64_t sales[kTaxGroups] = {}, refunds[kTaxGroups] = {};
    for (const ZRecord* z : chosen) {
        for (int g = 0; g < kTaxGroups; ++g) {
            sales[g] += z->Sales[g];
            refunds[g] += z->Refunds[g];
        }
        if (full) {
            c.Roll.Print(Columns("Z " + Number4(z->Number), FormatDateTime(z->At)));
            c.Roll.Print(Columns("  SALES", Money(Sum(z->Sales))));
            c.Roll.Print(Columns("  REFUNDS", Money(Sum(z->Refunds))));
        }
    }
    if (chosen.empty()) c.Roll.Print(Centered("NO RECORDS"));
    PrintGroups(c, "SALES", sales);
    PrintGroups(c, "REFUNDS", refunds);
    PrintFooter(c);
    c.Reply = std::to_string(chosen.size());
    c.DurationMicros =
        std::min<std::int64_t>(1000 * kMillis + 50 * kMillis * chosen.size(), kMaxReportMicros);
}

void PrintCopy(CommandContext& c, const JournalDocument& doc) {
    PrintHeader(c, "JOURNAL COPY");
    for (const std::string& line : doc.Lines) c.Roll.Print(line);
    c.Roll.Print(Centered("COPY - NOT A FISCAL DOCUMENT"));
    PrintFooter(c);
}

const JournalDocument* FindDocument(const PrinterState& s, std::int64_t number) {
    for (const JournalDocument& doc : s.Journal)
        if (doc.Number == number) return &doc;
    return nullptr;
}

bool JournalAllowed(CommandContext& c) { return RequireIdle(c) && RequirePaper(c); }

}  // namespace

namespace handlers {

// password,letter: "0" the Z report, "2" the X report.
void DayReport(CommandContext& c, std::string_view d) {
    const auto f = SplitFields(d);
    if (f.size() != 2 || (f[1] != "0" && f[1] != "2")) {
        c.Fail(status::kSyntaxError);
        return;
    }
    if (!ReportAllowed(c, f[0])) return;
    const bool z = f[1] == "0";
    if (z && c.State.ZRecords.size() >= kZRecordCapacity) {
        c.Fail(status::kFmFull);
        return;
    }
    const std::int64_t sales = Sum(c.State.Day.Sales), refunds = Sum(c.State.Day.Refunds);
    PrintDayReport(c, z);
    if (z) CloseDay(c);
    c.Reply = std::to_string(c.State.ZRecords.size() + (z ? 0 : 1)) + "," +
              std::to_string(sales) + "," + std::to_string(refunds);
    c.DurationMicros = (z ? 2000 : 800) * kMillis;
}

// 0: number, date, sales by tax group of the last Z report; 1: its refunds.
void LastZInfo(CommandContext& c, std::string_view d) {
    std::int64_t index;
    if (!ParseInteger(d, index) || index < 0 || index > 1) {
        c.Fail(status::kSyntaxError);
        return;
    }
    const std::vector<ZRecord>& records = c.State.ZRecords;
    const ZRecord last = records.empty() ? ZRecord{} : records.back();
    std::string reply = std::to_string(last.Number) + "," +
                        (records.empty() ? std::string() : FormatDate(last.At));
    for (std::int64_t v : index == 0 ? last.Sales : last.Refunds) reply += "," + std::to_string(v);
    c.Reply = reply;
}

// 0: sales by tax group; 1: refunds by tax group; 2: sale payments by type;
// 3: fiscal receipts, refund receipts, cancelled and non-fiscal receipts.
void DayTotalsInfo(CommandContext& c, std::string_view d) {
    std::int64_t index;
    if (!ParseInteger(d, index) || index < 0 || index > 3) {
        c.Fail(status::kSyntaxError);
        return;
    }
    const DayTotals& day = c.State.Day;
    std::string reply;
    auto add = [&reply](std::int64_t v) { reply += (reply.empty() ? "" : ",") + std::to_string(v); };
    if (index == 0) for (std::int64_t v : day.Sales) add(v);
    if (index == 1) for (std::int64_t v : day.Refunds) add(v);
    if (index == 2) for (std::int64_t v : day.SalePayments) add(v);
    if (index == 3) {
        add(day.FiscalReceipts);
        add(day.RefundReceipts);
        add(day.Cancelled);
        add(day.NonFiscal);
    }
    c.Reply = reply;
}

void FullReportByNumber(CommandContext& c, std::string_view d) {
    PeriodicReport(c, d, Range::ByNumber, true);
}
void ShortReportByNumber(CommandContext& c, std::string_view d) {
    PeriodicReport(c, d, Range::ByNumber, false);
}
void FullReportByDate(CommandContext& c, std::string_view d) {
    PeriodicReport(c, d, Range::ByDate, true);
}
void ShortReportByDate(CommandContext& c, std::string_view d) {
    PeriodicReport(c, d, Range::ByDate, false);
}

// password,letter: "S" sales by article, "P" the programmed articles, "G"
// sales by article group.
void ArticlesReport(CommandContext& c, std::string_view d) {
    const auto f = SplitFields(d);
    if (f.size() != 2 || (f[1] != "S" && f[1] != "P" && f[1] != "G")) {
        c.Fail(status::kSyntaxError);
        return;
    }
    if (!ReportAllowed(c, f[0])) return;
    const char kind = f[1][0];
    const std::vector<Article>& articles = c.State.Articles;
    PrintHeader(c, kind == 'S' ? "ARTICLE SALES" : kind == 'P' ? "ARTICLES" : "GROUP SALES");
    c.Roll.Print(std::string(kPaperWidth, '-'));
    std::size_t printed = 0;
    if (kind == 'G') {
        std::int64_t groups[100] = {};
        for (const Article& a : articles)
            if (a.Programmed) groups[a.Group] += a.SoldAmount - a.RefundAmount;
        for (int g = 0; g < 100; ++g) {
            if (groups[g] == 0) continue;
            ++printed;
            c.Roll.Print(Columns("GROUP " + std::to_string(g), Money(groups[g])));
        }
    } else {
        for (int n = 1; n <= kArticleSlots; ++n) {
            const Article& a = articles[n];
            if (!a.Programmed || (kind == 'S' && a.SoldQuantity == 0 && a.RefundQuantity == 0))
                continue;
            ++printed;
            c.Roll.Print(Columns("#" + std::to_string(n), std::string(1, static_cast<char>(a.Tax)) +
                                                               " G" + std::to_string(a.Group)));
            c.Roll.Print(a.Name);
            if (kind == 'P')
                c.Roll.Print(Columns("  PRICE", Money(a.Price)));
            else
                c.Roll.Print(Columns("  " + FormatFixed(a.SoldQuantity, 3),
                                     Money(a.SoldAmount)));
        }
    }
    if (printed == 0) c.Roll.Print(Centered("NO ARTICLES"));
    PrintFooter(c);
    c.DurationMicros =
        std::min<std::int64_t>(800 * kMillis + 2 * kMillis * printed, kMaxReportMicros);
}

// A copy of one fiscal receipt; the reply is the number of copies printed.
void JournalCopy(CommandContext& c, std::string_view d) {
    std::int64_t number;
    if (!ParseInteger(d, number)) {
        c.Fail(status::kSyntaxError);
        return;
    }
    if (!JournalAllowed(c)) return;
    const JournalDocument* doc = FindDocument(c.State, number);
    if (doc) {
        PrintCopy(c, *doc);
        c.DurationMicros = 400 * kMillis;
    }
    c.Reply = doc ? "1" : "0";
}

// Copies of the fiscal receipts first..last (at most 500 of them).
void JournalCopies(CommandContext& c, std::string_view d) {
    const auto f = SplitFields(d);
    std::int64_t first, last;
    if (f.size() != 2 || !ParseInteger(f[0], first) || !ParseInteger(f[1], last) ||
        first > last || last - first >= 500) {
        c.Fail(status::kSyntaxError);
        return;
    }
    if (!JournalAllowed(c)) return;
    std::int64_t count = 0;
    for (const JournalDocument& doc : c.State.Journal)
        if (doc.Number >= first && doc.Number <= last) {
            PrintCopy(c, doc);
            ++count;
        }
    c.Reply = std::to_string(count);
    c.DurationMicros = std::min<std::int64_t>(300 * kMillis * count, kMaxReportMicros);
}

// The taxes of the receipts of one day (the Z report number that closed or
// will close it); the reply is the number of receipts.
void JournalTaxReport(CommandContext& c, std::string_view d) {
    std::int64_t z;
    if (!ParseInteger(d, z)) {
        c.Fail(status::kSyntaxError);
        return;
    }
    if (!JournalAllowed(c)) return;
    std::int64_t sales[kTaxGroups] = {}, refunds[kTaxGroups] = {};
    int count = 0;
    for (const JournalDocument& doc : c.State.Journal) {
        if (doc.ZNumber != z) continue;
        ++count;
        for (int g = 0; g < kTaxGroups; ++g) (doc.Refund ? refunds : sales)[g] += doc.Groups[g];
    }
    PrintHeader(c, "JOURNAL TAX REPORT Z " + Number4(static_cast<int>(z)));
    c.Roll.Print(Columns("RECEIPTS", std::to_string(count)));
    PrintGroups(c, "SALES", sales);
    PrintGroups(c, "REFUNDS", refunds);
    PrintFooter(c);
    c.Reply = std::to_string(count);
    c.DurationMicros = 600 * kMillis;
}

}  // namespace handlers

}  // namespace simulator
