// The customer display, the cash drawer, service cash, the cutter and
// barcodes.
#include "simulator/commands.h"
#include "simulator/text.h"

namespace simulator {

namespace {

constexpr std::size_t kDisplayWidth = 20;
constexpr std::int64_t kMaxServiceAmount = 9999999999;

void Show(CommandContext& c, std::string upper, std::string lower) {
    c.State.DisplayUpper = std::move(upper);
    c.State.DisplayLower = std::move(lower);
    c.Roll.Event("display upper: " + c.State.DisplayUpper);
    c.Roll.Event("display lower: " + c.State.DisplayLower);
}

std::string DisplayLine(std::string_view text) { return std::string(text.substr(0, kDisplayWidth)); }

struct BarcodeKind {
    char Type;
    const char* Name;
    std::size_t MinLength, MaxLength;
    bool DigitsOnly;
};

constexpr BarcodeKind kBarcodes[] = {
    {'0', "EAN-8", 7, 8, true},
    {'1', "EAN-13", 12, 13, true},
    {'2', "CODE-128", 1, 48, false},
    {'3', "QR", 1, 80, false},
};

bool Encodable(const BarcodeKind& k, std::string_view text) {
    if (text.size() < k.MinLength || text.size() > k.MaxLength) return false;
    for (char ch : text) {
        const auto b = static_cast<std::uint8_t>(ch);
        if (k.DigitsOnly ? (ch < '0' || ch > '9') : (b < 0x20 || b == 0x7F)) return false;
    }
    return true;
}

}  // namespace

namespace handlers {

void ClearDisplay(CommandContext& c, std::string_view) { Show(c, "", ""); }

void DisplayUpper(CommandContext& c, std::string_view d) {
    Show(c, DisplayLine(d), c.State.DisplayLower);
}

void DisplayLower(CommandContext& c, std::string_view d) {
    Show(c, c.State.DisplayUpper, DisplayLine(d));
}

void DisplayDateTime(CommandContext& c, std::string_view) {
    Show(c, FormatDate(c.Now), FormatTime(c.Now));
}

// Empty, or the pulse length in milliseconds.
void OpenDrawer(CommandContext& c, std::string_view d) {
    std::int64_t pulse = 0;
    if (!d.empty() && (!ParseInteger(d, pulse) || pulse < 1 || pulse > 255)) {
        c.Fail(status::kSyntaxError);
        return;
    }
    c.Roll.Event("drawer opened");
}

// Empty: read the cash figures. An amount: cash in (positive) or out
// (negative). The reply is always cash in the drawer, cash in and cash out
// of the day.
void ServiceCash(CommandContext& c, std::string_view d) {
    PrinterState& s = c.State;
    if (!d.empty()) {
        std::int64_t amount;
        if (!ParseFixed(d, 2, amount) || amount == 0 || amount > kMaxServiceAmount ||
            amount < -kMaxServiceAmount) {
            c.Fail(status::kSyntaxError);
            return;
        }
        if (!RequireIdle(c) || !RequirePaper(c)) return;
        if (amount < 0 && -amount > s.Cash) {
            c.Fail(status::kNotAllowed);
            return;
        }
        s.Cash += amount;
        (amount > 0 ? s.Day.CashIn : s.Day.CashOut) += amount > 0 ? amount : -amount;
        PrintHeader(c, amount > 0 ? "SERVICE IN" : "SERVICE OUT");
        c.Roll.Print(Columns("AMOUNT", FormatFixed(amount > 0 ? amount : -amount, 2)));
        c.Roll.Print(Columns("CASH IN DRAWER", FormatFixed(s.Cash, 2)));
        PrintFooter(c);
        c.Roll.Event("drawer opened");
    }
    c.Reply = std::to_string(s.Cash) + "," + std::to_string(s.Day.CashIn) + "," +
              std::to_string(s.Day.CashOut);
}

void CutReceipt(CommandContext& c, std::string_view) {
    if (!RequireIdle(c) || !RequirePaper(c)) return;
    c.Roll.Event("cut");
}

// Type digit and text: 0 EAN-8, 1 EAN-13, 2 Code 128, 3 QR code. The roll
// shows a readable marker in place of the bars. The reply is 1, the count
// of barcodes printed.
void Barcode(CommandContext& c, std::string_view d) {
    const BarcodeKind* kind = nullptr;
    for (const BarcodeKind& k : kBarcodes)
        if (!d.empty() && d[0] == k.Type) kind = &k;
    if (!kind || !Encodable(*kind, d.substr(1))) {
        c.Fail(status::kSyntaxError);
        return;
    }
    if (!RequirePaper(c)) return;
    const std::string marker = "[BARCODE " + std::string(kind->Name) + " " + std::string(d.substr(1)) + "]";
    c.Roll.Print(marker);
    if (c.State.Open.Fiscal()) c.State.Open.Printed.push_back(marker);
    c.Reply = "1";
}

}  // namespace handlers

}  // namespace simulator
