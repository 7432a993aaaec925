// The command handlers, grouped by topic in cmd_*.cpp. A handler reads the
// request's data field, changes the printer's state, prints, and leaves the
// reply text, its error bits and the time the work takes in the context.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "simulator/journal.h"
#include "simulator/printer_state.h"
#include "simulator/status_bits.h"

namespace simulator {

struct CommandContext {
    CommandContext(PrinterState& state, Paper& roll, std::int64_t now, bool paperOut)
        : State(state), Roll(roll), Now(now), PaperOut(paperOut) {}

    PrinterState& State;
    Paper& Roll;
    std::int64_t Now;  // the printer's calendar, seconds
    bool PaperOut;

    std::string Reply;
    StatusBytes Errors;
    std::int64_t DurationMicros = 0;  // long operations send 16h meanwhile
    bool Changed = false;             // something worth saving changed

    void Fail(StatusBit bit) { Errors.Set(bit); }
    bool Failed() const { return Errors.Any(); }
};

using CommandHandler = void (*)(CommandContext&, std::string_view data);

// The handler of a command code, or null for an unknown code.
CommandHandler FindCommand(std::uint8_t code);

// Guards shared by the handlers; each records the refusal and returns false.
bool RequireIdle(CommandContext& c);       // no receipt open
bool RequireFiscal(CommandContext& c);     // a fiscal or refund receipt open
bool RequireNonFiscal(CommandContext& c);  // a non-fiscal receipt open
bool RequirePaper(CommandContext& c);
bool RequireClock(CommandContext& c);
bool RequireReportPassword(CommandContext& c, std::string_view password);
// Operator `index` (0-based) when `password` is theirs, else null.
Operator* OperatorWithPassword(CommandContext& c, int index, std::string_view password);

// Starts a numbered document on the roll (header with date and number) and
// ends one.
void PrintHeader(CommandContext& c, std::string_view title);
void PrintFooter(CommandContext& c);

// Handlers by topic.
namespace handlers {
// Receipts: cmd_receipts.cpp
void OpenFiscal(CommandContext&, std::string_view);
void OpenRefund(CommandContext&, std::string_view);
void Sale(CommandContext&, std::string_view);
void SaleDisplay(CommandContext&, std::string_view);
void Subtotal(CommandContext&, std::string_view);
void Total(CommandContext&, std::string_view);
void PaymentWithCode(CommandContext&, std::string_view);
void FiscalText(CommandContext&, std::string_view);
void CloseFiscal(CommandContext&, std::string_view);
void Cancel(CommandContext&, std::string_view);
void TransactionStatus(CommandContext&, std::string_view);
void LastReceiptNumber(CommandContext&, std::string_view);
void OpenNonFiscal(CommandContext&, std::string_view);
void CloseNonFiscal(CommandContext&, std::string_view);
void NonFiscalText(CommandContext&, std::string_view);
void ReceiptCopy(CommandContext&, std::string_view);
// Reports and electronic journal: cmd_reports.cpp
void DayReport(CommandContext&, std::string_view);
void LastZInfo(CommandContext&, std::string_view);
void DayTotalsInfo(CommandContext&, std::string_view);
void FullReportByNumber(CommandContext&, std::string_view);
void ShortReportByNumber(CommandContext&, std::string_view);
void FullReportByDate(CommandContext&, std::string_view);
void ShortReportByDate(CommandContext&, std::string_view);
void ArticlesReport(CommandContext&, std::string_view);
void JournalCopy(CommandContext&, std::string_view);
void JournalCopies(CommandContext&, std::string_view);
void JournalTaxReport(CommandContext&, std::string_view);
// Articles and operators: cmd_articles.cpp
void Articles(CommandContext&, std::string_view);
void SetOperatorPassword(CommandContext&, std::string_view);
void SetOperatorName(CommandContext&, std::string_view);
void ResetOperatorPassword(CommandContext&, std::string_view);
// Display, drawer, cash, cutter and barcodes: cmd_display_cash.cpp
void ClearDisplay(CommandContext&, std::string_view);
void DisplayUpper(CommandContext&, std::string_view);
void DisplayLower(CommandContext&, std::string_view);
void DisplayDateTime(CommandContext&, std::string_view);
void OpenDrawer(CommandContext&, std::string_view);
void ServiceCash(CommandContext&, std::string_view);
void CutReceipt(CommandContext&, std::string_view);
void Barcode(CommandContext&, std::string_view);
// Clock, status, identity and network: cmd_clock_network.cpp
void SetDateTime(CommandContext&, std::string_view);
void GetDateTime(CommandContext&, std::string_view);
void GetStatus(CommandContext&, std::string_view);
void Diagnostics(CommandContext&, std::string_view);
void DeviceId(CommandContext&, std::string_view);
void WriteNetParams(CommandContext&, std::string_view);
void ReadNetParams(CommandContext&, std::string_view);
void ModemReport(CommandContext&, std::string_view);
}  // namespace handlers

}  // namespace simulator
