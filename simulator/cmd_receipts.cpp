// Fiscal, refund and non-fiscal receipts: open, sell, adjust, pay, close,
// cancel, and the copy of the last receipt.
#include <cmath>
#include <cstdio>

#include "simulator/commands.h"
#include "simulator/text.h"

namespace simulator {

namespace {

// Bounds that keep every product of the arithmetic within 64 bits.
constexpr std::int64_t kMaxPrice = 9999999999;    // 99 999 999.99
constexpr std::int64_t kMaxQuantity = 99999999;   // 99 999.999
constexpr std::int64_t kMaxReceipt = 99999999999;  // 999 999 999.99
constexpr std::int64_t kMaxPercent = 9999;        // 99.99 %

// A line of the open receipt: printed and kept for the electronic journal.
void PrintReceiptLine(CommandContext& c, const std::string& line) {
    c.Roll.Print(line);
    c.State.Open.Printed.push_back(line);
}

std::string TaxMark(std::uint8_t tax) { return std::string(1, static_cast<char>(tax)); }

std::string Money(std::int64_t v) { return FormatFixed(v, 2); }

int FindPaymentType(char letter) {
    for (int t = 0; t < kPaymentTypes; ++t)
        if (kPaymentLetters[t] == letter) return t;
    return -1;
}

void OpenReceipt(CommandContext& c, std::string_view data, ReceiptKind kind) {
    if (!RequireIdle(c) || !RequireClock(c) || !RequirePaper(c)) return;
    const auto f = SplitFields(data);
    std::int64_t op, till;
    if ((f.size() != 3 && f.size() != 4) || !ParseInteger(f[0], op) || !ParseInteger(f[2], till) ||
        op < 1 || op > kOperatorCount || till < 1 || till > 99999 ||
        (f.size() == 4 && f[3] != "I")) {
        c.Fail(status::kSyntaxError);
        return;
    }
    PrinterState& s = c.State;
    const Operator* who = OperatorWithPassword(c, static_cast<int>(op - 1), f[1]);
    if (!who) return;
    if (s.ZRecords.size() >= kZRecordCapacity) {
        c.Fail(status::kFmFull);
        return;
    }
    if (s.Journal.size() >= kJournalCapacity) {
        c.Fail(status::kEjFull);
        return;
    }
    if (s.Day.OpenedAt >= 0 && c.Now - s.Day.OpenedAt > 24 * 3600) {
        c.Fail(status::kDayOver24h);
        return;
    }
    if (s.Day.OpenedAt < 0) s.Day.OpenedAt = c.Now;
    s.Open = Receipt{};
    s.Open.Kind = kind;
    s.Open.OperatorNumber = static_cast<int>(op);
    s.Open.Till = static_cast<int>(till);

    PrintHeader(c, kind == ReceiptKind::Refund ? "REFUND RECEIPT" : "FISCAL RECEIPT");
    char till5[16];
    std::snprintf(till5, sizeof till5, "TILL %05d", static_cast<int>(till));
    PrintReceiptLine(c, Columns(who->Name, till5));
    PrintReceiptLine(c, std::string(kPaperWidth, '-'));
    c.Reply = std::to_string(s.FiscalNumber + 1);
}

struct SaleRequest {
    bool Correction = false;
    int ArticleNumber = 0;
    std::int64_t Quantity = 1000;
    std::int64_t Percent = 0;
    std::int64_t Amount = 0;
    bool HasPercent = false;
    bool HasAmount = false;
};

// [-]article[*quantity][,percent][;amount]
bool ParseSale(std::string_view d, SaleRequest& r) {
    if (!d.empty() && d.front() == '-') {
        r.Correction = true;
        d.remove_prefix(1);
    }
    const std::size_t end = d.find_first_of("*,;");
    std::int64_t number;
    if (!ParseInteger(d.substr(0, end), number) || number < 1 || number > kArticleSlots)
        return false;
    r.ArticleNumber = static_cast<int>(number);
    d = end == std::string_view::npos ? std::string_view{} : d.substr(end);
    if (!d.empty() && d.front() == '*') {
        const std::size_t next = d.find_first_of(",;");
        if (!ParseFixed(d.substr(1, next == std::string_view::npos ? next : next - 1), 3,
                        r.Quantity) ||
            r.Quantity <= 0 || r.Quantity > kMaxQuantity)
            return false;
        d = next == std::string_view::npos ? std::string_view{} : d.substr(next);
    }
    if (!d.empty() && d.front() == ',') {
        r.HasPercent = true;
        if (!ParseFixed(d.substr(1), 2, r.Percent) || r.Percent < -kMaxPercent ||
            r.Percent > kMaxPercent)
            return false;
        return true;
    }
    if (!d.empty() && d.front() == ';') {
        r.HasAmount = true;
        return ParseFixed(d.substr(1), 2, r.Amount) && r.Amount >= -kMaxPrice &&
               r.Amount <= kMaxPrice;
    }
    return d.empty();
}

void PrintAdjustment(CommandContext& c, const SaleRequest& r, std::int64_t adjust) {
    if (r.HasPercent)
        PrintReceiptLine(c, Columns((r.Percent < 0 ? "  DISCOUNT " : "  SURCHARGE ") +
                                        FormatFixed(r.Percent, 2) + "%",
                                    Money(adjust)));
    else if (r.HasAmount)
        PrintReceiptLine(c, Columns(r.Amount < 0 ? "  DISCOUNT" : "  SURCHARGE", Money(adjust)));
}

// Registers one sale; returns the article sold or null after a refusal.
const Article* RegisterSale(CommandContext& c, std::string_view data) {
    if (!RequireFiscal(c) || !RequirePaper(c)) return nullptr;
    Receipt& rc = c.State.Open;
    if (rc.Paying) {
        c.Fail(status::kNotAllowed);
        return nullptr;
    }
    SaleRequest r;
    if (!ParseSale(data, r)) {
        c.Fail(status::kSyntaxError);
        return nullptr;
    }
    const Article& a = c.State.Articles[r.ArticleNumber];
    if (!a.Programmed) {
        c.Fail(status::kUnknownArticle);
        return nullptr;
    }
    const std::int64_t base = MulDivRounded(a.Price, r.Quantity, 1000);
    if (base > kMaxReceipt) {
        c.Fail(status::kOverflow);
        return nullptr;
    }
    std::int64_t adjust = 0;
    if (r.HasPercent) adjust = MulDivRounded(base, r.Percent, 10000);
    if (r.HasAmount) adjust = r.Amount;
    std::int64_t value = base + adjust;
    if (value < 0) {
        c.Fail(status::kNotAllowed);
        return nullptr;
    }
    if (r.Correction) {
        std::int64_t sold = 0;
        for (const ReceiptSale& s : rc.Sales)
            if (s.ArticleNumber == r.ArticleNumber) sold += s.Quantity;
        if (sold < r.Quantity) {
            c.Fail(status::kNotAllowed);
            return nullptr;
        }
        value = -value;
    }
    std::int64_t& group = rc.Groups[a.Tax - kFirstTaxLetter];
    if (rc.Total() + value > kMaxReceipt) {
        c.Fail(status::kOverflow);
        return nullptr;
    }
    group += value;
    rc.Sales.push_back({r.ArticleNumber, r.Correction ? -r.Quantity : r.Quantity, value});
    rc.Items += r.Correction ? -1 : 1;

    if (r.Correction) PrintReceiptLine(c, "CORRECTION");
    PrintReceiptLine(c, a.Name);
    PrintReceiptLine(c, Columns("  " + FormatFixed(r.Quantity, 3) + " x " + Money(a.Price),
                                Money(r.Correction ? -base : base) + " " + TaxMark(a.Tax)));
    PrintAdjustment(c, r, r.Correction ? -adjust : adjust);
    c.Reply = std::to_string(value) + "," + std::to_string(rc.Total());
    return &a;
}

std::string DisplayText(std::string_view text) {
    const std::size_t tab = text.find('\t');
    return std::string(text.substr(0, tab).substr(0, 20));
}

void ShowOnDisplay(CommandContext& c, const std::string& upper, const std::string& lower) {
    c.State.DisplayUpper = upper;
    c.State.DisplayLower = lower;
    c.Roll.Event("display upper: " + upper);
    c.Roll.Event("display lower: " + lower);
}

// Takes a payment of `amount` (0: the rest) of payment type `type`; fills
// the result letter ("D" rest due, "R" paid, the change follows) and value.
bool TakePayment(CommandContext& c, int type, std::int64_t amount, std::string_view code,
                 char& letter, std::int64_t& value) {
    if (!RequireFiscal(c) || !RequirePaper(c)) return false;
    Receipt& rc = c.State.Open;
    const std::int64_t total = rc.Total();
    const std::int64_t rest = total > rc.Paid ? total - rc.Paid : 0;
    if (amount == 0) amount = rest;
    const bool settled = rc.Paying && rc.Paid >= total;
    if ((settled && amount > 0) || (amount > rest && type != 0) || amount > kMaxReceipt) {
        c.Fail(status::kNotAllowed);
        return false;
    }
    if (!rc.Paying) {
        PrintReceiptLine(c, std::string(kPaperWidth, '-'));
        PrintReceiptLine(c, Columns("TOTAL", Money(total)));
    }
    rc.Paying = true;
    rc.Paid += amount;
    rc.Payments[type] += amount > rest ? rest : amount;
    PrintReceiptLine(c, Columns(kPaymentNames[type], Money(amount)));
    if (!code.empty()) PrintReceiptLine(c, "  TRANSACTION " + std::string(code));
    if (rc.Paid >= total) {
        letter = 'R';
        value = rc.Paid - total;
        if (value > 0) PrintReceiptLine(c, Columns("CHANGE", Money(value)));
        ShowOnDisplay(c, "TOTAL " + Money(total), value > 0 ? "CHANGE " + Money(value) : "");
    } else {
        letter = 'D';
        value = total - rc.Paid;
        ShowOnDisplay(c, "TOTAL " + Money(total), "DUE " + Money(value));
    }
    return true;
}

void AddPerGroup(std::int64_t (&to)[kTaxGroups], const std::int64_t (&from)[kTaxGroups]) {
    for (int g = 0; g < kTaxGroups; ++g) to[g] += from[g];
}

}  // namespace

namespace handlers {

void OpenFiscal(CommandContext& c, std::string_view d) { OpenReceipt(c, d, ReceiptKind::Sale); }
void OpenRefund(CommandContext& c, std::string_view d) { OpenReceipt(c, d, ReceiptKind::Refund); }

void Sale(CommandContext& c, std::string_view d) { RegisterSale(c, d); }

void SaleDisplay(CommandContext& c, std::string_view d) {
    const std::int64_t before = c.State.Open.Total();
    if (const Article* a = RegisterSale(c, d))
        ShowOnDisplay(c, DisplayText(a->Name), Money(c.State.Open.Total() - before));
}

// PD[,percent|;amount]: P prints the subtotal, D shows it on the display.
void Subtotal(CommandContext& c, std::string_view d) {
    if (!RequireFiscal(c) || !RequirePaper(c)) return;
    Receipt& rc = c.State.Open;
    if (d.size() < 2 || (d[0] != '0' && d[0] != '1') || (d[1] != '0' && d[1] != '1')) {
        c.Fail(status::kSyntaxError);
        return;
    }
    const bool print = d[0] == '1', show = d[1] == '1';
    std::int64_t percent = 0, amount = 0;
    const std::string_view rest = d.substr(2);
    const bool hasPercent = !rest.empty() && rest.front() == ',';
    const bool hasAmount = !rest.empty() && rest.front() == ';';
    if ((!rest.empty() && !hasPercent && !hasAmount) ||
        (hasPercent && (!ParseFixed(rest.substr(1), 2, percent) || percent < -kMaxPercent ||
                        percent > kMaxPercent)) ||
        (hasAmount && (!ParseFixed(rest.substr(1), 2, amount) || amount < -kMaxReceipt ||
                       amount > kMaxReceipt))) {
        c.Fail(status::kSyntaxError);
        return;
    }
    if ((hasPercent || hasAmount) && rc.Paying) {
        c.Fail(status::kNotAllowed);
        return;
    }
    const std::int64_t total = rc.Total();
    std::int64_t adjust[kTaxGroups] = {};
    std::int64_t sum = 0;
    int last = -1;
    for (int g = 0; g < kTaxGroups; ++g) {
        if (rc.Groups[g] == 0) continue;
        // An amount is shared out in proportion; the last group takes what
        // rounding leaves, so the shares always add up to the amount.
        adjust[g] = hasPercent ? MulDivRounded(rc.Groups[g], percent, 10000)
                               : std::llround(static_cast<double>(amount) *
                                              static_cast<double>(rc.Groups[g]) /
                                              static_cast<double>(total));
        sum += adjust[g];
        last = g;
    }
    if (hasAmount) {
        if (last < 0 && amount != 0) {
            c.Fail(status::kNotAllowed);
            return;
        }
        if (last >= 0) adjust[last] += amount - sum;
        sum = amount;
    }
    for (int g = 0; g < kTaxGroups; ++g)
        if (rc.Groups[g] + adjust[g] < 0 || total + sum > kMaxReceipt) {
            c.Fail(status::kNotAllowed);
            return;
        }
    for (int g = 0; g < kTaxGroups; ++g) rc.Groups[g] += adjust[g];
    if (print) {
        PrintReceiptLine(c, Columns("SUBTOTAL", Money(total)));
        if (hasPercent)
            PrintReceiptLine(c, Columns((percent < 0 ? "  DISCOUNT " : "  SURCHARGE ") +
                                            FormatFixed(percent, 2) + "%",
                                        Money(sum)));
        else if (hasAmount)
            PrintReceiptLine(c, Columns(amount < 0 ? "  DISCOUNT" : "  SURCHARGE", Money(sum)));
    }
    if (show) ShowOnDisplay(c, "SUBTOTAL", Money(rc.Total()));
    c.Reply = std::to_string(rc.Total()) + "," + std::to_string(sum);
}

// TAB, payment letter, amount ("0.00": the rest of the receipt).
void Total(CommandContext& c, std::string_view d) {
    std::int64_t amount;
    const int type = d.size() >= 2 && d[0] == '\t' ? FindPaymentType(d[1]) : -1;
    if (type < 0 || !ParseFixed(d.substr(2), 2, amount) || amount < 0) {
        c.Fail(status::kSyntaxError);
        return;
    }
    char letter;
    std::int64_t value;
    if (TakePayment(c, type, amount, {}, letter, value))
        c.Reply = letter + std::to_string(value);
}

// type,amount,transaction code
void PaymentWithCode(CommandContext& c, std::string_view d) {
    const std::size_t first = d.find(','), second = d.find(',', first + 1);
    std::int64_t type, amount;
    if (second == std::string_view::npos || !ParseInteger(d.substr(0, first), type) ||
        type < 0 || type >= kPaymentTypes ||
        !ParseFixed(d.substr(first + 1, second - first - 1), 2, amount) || amount < 0) {
        c.Fail(status::kSyntaxError);
        return;
    }
    char letter;
    std::int64_t value;
    if (TakePayment(c, static_cast<int>(type), amount, d.substr(second + 1), letter, value))
        c.Reply = std::string(1, letter) + "," + std::to_string(value);
}

void FiscalText(CommandContext& c, std::string_view d) {
    if (!RequireFiscal(c) || !RequirePaper(c)) return;
    PrintReceiptLine(c, std::string(d));
}

void CloseFiscal(CommandContext& c, std::string_view) {
    if (!RequireFiscal(c) || !RequirePaper(c)) return;
    PrinterState& s = c.State;
    Receipt& rc = s.Open;
    if (!rc.Paying || rc.Paid < rc.Total()) {
        c.Fail(status::kNotAllowed);
        return;
    }
    const bool refund = rc.Kind == ReceiptKind::Refund;
    ++s.FiscalNumber;
    DayTotals& day = s.Day;
    AddPerGroup(refund ? day.Refunds : day.Sales, rc.Groups);
    for (int t = 0; t < kPaymentTypes; ++t)
        (refund ? day.RefundPayments : day.SalePayments)[t] += rc.Payments[t];
    s.Cash += refund ? -rc.Payments[0] : rc.Payments[0];
    ++(refund ? day.RefundReceipts : day.FiscalReceipts);
    for (const ReceiptSale& sale : rc.Sales) {
        Article& a = s.Articles[sale.ArticleNumber];
        (refund ? a.RefundQuantity : a.SoldQuantity) += sale.Quantity;
        (refund ? a.RefundAmount : a.SoldAmount) += sale.Amount;
    }
    for (int g = 0; g < kTaxGroups; ++g) {
        if (rc.Groups[g] == 0 || kTaxRates[g] == 0) continue;
        const std::int64_t tax = MulDivRounded(rc.Groups[g], kTaxRates[g], 10000 + kTaxRates[g]);
        PrintReceiptLine(c, Columns("  TAX " + TaxMark(static_cast<std::uint8_t>(kFirstTaxLetter + g)) +
                                        " " + FormatFixed(kTaxRates[g], 2) + "%",
                                    Money(tax)));
    }
    char number[32];
    std::snprintf(number, sizeof number, "FISCAL No %06d", s.FiscalNumber);
    PrintReceiptLine(c, Columns(number, FormatDateTime(c.Now)));

    JournalDocument doc;
    doc.Number = s.FiscalNumber;
    doc.ZNumber = static_cast<int>(s.ZRecords.size()) + 1;
    doc.Refund = refund;
    doc.At = c.Now;
    for (int g = 0; g < kTaxGroups; ++g) doc.Groups[g] = rc.Groups[g];
    doc.Lines = std::move(rc.Printed);
    s.Journal.push_back(std::move(doc));
    s.Open = Receipt{};
    PrintFooter(c);
    c.Reply = std::to_string(s.FiscalNumber);
}

void Cancel(CommandContext& c, std::string_view) {
    PrinterState& s = c.State;
    if (s.Open.Kind == ReceiptKind::None) {
        c.Fail(status::kNotAllowed);
        return;
    }
    c.Roll.Print(Centered("*** CANCELLED ***"));
    ++s.Day.Cancelled;
    s.Open = Receipt{};
    PrintFooter(c);
}

// open, items, total, paid
void TransactionStatus(CommandContext& c, std::string_view d) {
    if (!d.empty() && d != "T") {
        c.Fail(status::kSyntaxError);
        return;
    }
    const Receipt& rc = c.State.Open;
    const bool open = rc.Fiscal();
    c.Reply = std::string(open ? "1" : "0") + "," + std::to_string(open ? rc.Items : 0) + "," +
              std::to_string(open ? rc.Total() : 0) + "," + std::to_string(open ? rc.Paid : 0);
}

void LastReceiptNumber(CommandContext& c, std::string_view) {
    c.Reply = std::to_string(c.State.FiscalNumber);
}

void OpenNonFiscal(CommandContext& c, std::string_view) {
    if (!RequireIdle(c) || !RequirePaper(c)) return;
    c.State.Open = Receipt{};
    c.State.Open.Kind = ReceiptKind::NonFiscal;
    PrintHeader(c, "NON-FISCAL RECEIPT");
    c.Roll.Print(std::string(kPaperWidth, '-'));
    c.Reply = std::to_string(c.State.DocumentNumber + 1);
}

void CloseNonFiscal(CommandContext& c, std::string_view) {
    if (!RequireNonFiscal(c) || !RequirePaper(c)) return;
    c.Roll.Print(Centered("NON-FISCAL DOCUMENT"));
    ++c.State.Day.NonFiscal;
    c.State.Open = Receipt{};
    PrintFooter(c);
    c.Reply = std::to_string(c.State.DocumentNumber);
}

void NonFiscalText(CommandContext& c, std::string_view d) {
    if (!RequireNonFiscal(c) || !RequirePaper(c)) return;
    c.Roll.Print(d);
}

// Copies of the last fiscal receipt, 1 or 2.
void ReceiptCopy(CommandContext& c, std::string_view d) {
    std::int64_t count;
    if (!ParseInteger(d, count) || count < 1 || count > 2) {
        c.Fail(status::kSyntaxError);
        return;
    }
    if (!RequireIdle(c) || !RequirePaper(c)) return;
    if (c.State.Journal.empty()) {
        c.Fail(status::kNotAllowed);
        return;
    }
    const JournalDocument& doc = c.State.Journal.back();
    for (std::int64_t i = 0; i < count; ++i) {
        PrintHeader(c, "COPY");
        for (const std::string& line : doc.Lines) c.Roll.Print(line);
        c.Roll.Print(Centered("COPY - NOT A FISCAL DOCUMENT"));
        PrintFooter(c);
    }
    c.DurationMicros = 400000 * count;
}

}  // namespace handlers

}  // namespace simulator
