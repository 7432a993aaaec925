// Command codes to handlers, and the guards the handlers share.
#include <cstdio>

#include "simulator/commands.h"
#include "simulator/text.h"

namespace simulator {

namespace {

using namespace handlers;

struct CommandEntry {
    std::uint8_t Code;
    CommandHandler Handler;
};

constexpr CommandEntry kCommands[] = {
    {33, ClearDisplay},         {35, DisplayLower},
    {36, WriteNetParams},       {37, ReadNetParams},
    {38, OpenNonFiscal},        {39, CloseNonFiscal},
    {42, NonFiscalText},        {45, CutReceipt},
    {47, DisplayUpper},         {48, OpenFiscal},
    {51, Subtotal},             {52, SaleDisplay},
    {53, Total},                {54, FiscalText},
    {56, CloseFiscal},          {57, Cancel},
    {58, Sale},                 {61, SetDateTime},
    {62, GetDateTime},          {63, DisplayDateTime},
    {64, LastZInfo},            {65, DayTotalsInfo},
    {69, DayReport},            {70, ServiceCash},
    {73, FullReportByNumber},   {74, GetStatus},
    {76, TransactionStatus},    {79, ShortReportByDate},
    {85, OpenRefund},           {88, Barcode},
    {90, Diagnostics},          {94, FullReportByDate},
    {95, ShortReportByNumber},  {101, SetOperatorPassword},
    {102, SetOperatorName},     {106, OpenDrawer},
    {107, Articles},            {108, ModemReport},
    {109, ReceiptCopy},         {111, ArticlesReport},
    {113, LastReceiptNumber},   {116, JournalCopy},
    {119, ResetOperatorPassword}, {120, PaymentWithCode},
    {235, JournalCopies},       {236, JournalTaxReport},
    {255, DeviceId},
};

}  // namespace

CommandHandler FindCommand(std::uint8_t code) {
    for (const CommandEntry& e : kCommands)
        if (e.Code == code) return e.Handler;
    return nullptr;
}

bool RequireIdle(CommandContext& c) {
    if (c.State.Open.Kind == ReceiptKind::None) return true;
    c.Fail(status::kNotAllowed);
    return false;
}

bool RequireFiscal(CommandContext& c) {
    if (c.State.Open.Fiscal()) return true;
    c.Fail(status::kNotAllowed);
    return false;
}

bool RequireNonFiscal(CommandContext& c) {
    if (c.State.Open.Kind == ReceiptKind::NonFiscal) return true;
    c.Fail(status::kNotAllowed);
    return false;
}

bool RequirePaper(CommandContext& c) {
    if (!c.PaperOut) return true;
    c.Fail(status::kPaperOut);
    return false;
}

bool RequireClock(CommandContext& c) {
    if (c.State.ClockSet) return true;
    c.Fail(status::kClockNotSet);
    return false;
}

bool RequireReportPassword(CommandContext& c, std::string_view password) {
    if (password == c.State.ReportPassword) return true;
    c.Fail(status::kWrongPassword);
    return false;
}

Operator* OperatorWithPassword(CommandContext& c, int index, std::string_view password) {
    Operator& who = c.State.Operators[index];
    if (password == who.Password) return &who;
    c.Fail(status::kWrongPassword);
    return nullptr;
}

void PrintHeader(CommandContext& c, std::string_view title) {
    c.Roll.Print(Centered("VIRTUAL QZ4417R"));
    c.Roll.Print(Centered(std::string("SN ") + kSerialNumber + "  FN " + kFiscalNumber));
    c.Roll.Print(Centered(title));
}

void PrintFooter(CommandContext& c) {
    ++c.State.DocumentNumber;
    char number[24];
    std::snprintf(number, sizeof number, "DOC %06d", c.State.DocumentNumber);
    c.Roll.Print(Columns(number, FormatDateTime(c.Now)));
    c.Roll.Print(std::string(kPaperWidth, '='));
    c.Roll.Print("");
    c.State.LastDocumentAt = c.Now;
    c.Changed = true;
}

}  // namespace simulator
