// Everything the printer remembers: its tables, counters, day totals, the
// fiscal memory's Z records, the electronic journal and the open receipt.
// Amounts are hundredths, quantities thousandths.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace simulator {

inline constexpr int kArticleSlots = 14800;
inline constexpr int kOperatorCount = 16;
inline constexpr int kTaxGroups = 5;
inline constexpr int kPaymentTypes = 4;
inline constexpr std::size_t kZRecordCapacity = 1830;
inline constexpr std::size_t kZRecordsNearFull = kZRecordCapacity - 50;
inline constexpr std::size_t kJournalCapacity = 50000;  // documents
inline constexpr std::size_t kJournalNearFull = kJournalCapacity - 1000;

// Tax letters as the server sends them (Windows-1251 А, Б, В, Г, Д) and the
// rates in hundredths of a percent; prices include the tax.
inline constexpr std::uint8_t kFirstTaxLetter = 0xC0;
inline constexpr std::int64_t kTaxRates[kTaxGroups] = {2000, 700, 0, 0, 1400};

// Payment letters of command 53, by payment type 0..3.
inline constexpr char kPaymentLetters[kPaymentTypes] = {'P', 'N', 'D', 'C'};
inline constexpr const char* kPaymentNames[kPaymentTypes] = {"CASH", "CARD", "CREDIT", "CHEQUE"};

inline constexpr const char* kSerialNumber = "QZ17000123";
inline constexpr const char* kFiscalNumber = "4417000123";
inline constexpr const char* kFirmware = "1.04 12Mar18 1030";
inline constexpr const char* kDeviceId = "ID4417000123";

struct Article {
    bool Programmed = false;
    std::uint8_t Tax = kFirstTaxLetter;
    int Group = 0;
    std::int64_t Price = 0;
    std::string Name;  // 8-bit text, may hold a TAB
    std::int64_t SoldQuantity = 0;
    std::int64_t SoldAmount = 0;
    std::int64_t RefundQuantity = 0;
    std::int64_t RefundAmount = 0;
};

struct Operator {
    std::string Name;
    std::string Password;
};

struct DayTotals {
    std::int64_t Sales[kTaxGroups] = {};
    std::int64_t Refunds[kTaxGroups] = {};
    std::int64_t SalePayments[kPaymentTypes] = {};
    std::int64_t RefundPayments[kPaymentTypes] = {};
    std::int64_t CashIn = 0;
    std::int64_t CashOut = 0;
    int FiscalReceipts = 0;
    int RefundReceipts = 0;
    int Cancelled = 0;
    int NonFiscal = 0;
    std::int64_t OpenedAt = -1;  // first fiscal receipt of the day, -1 none
};

struct ZRecord {
    int Number = 0;
    std::int64_t At = 0;
    std::int64_t Sales[kTaxGroups] = {};
    std::int64_t Refunds[kTaxGroups] = {};
    int FiscalReceipts = 0;
    int RefundReceipts = 0;
};

// A closed fiscal or refund receipt as the electronic journal keeps it.
struct JournalDocument {
    int Number = 0;   // fiscal receipt number
    int ZNumber = 0;  // the Z report that closes its day
    bool Refund = false;
    std::int64_t At = 0;
    std::int64_t Groups[kTaxGroups] = {};
    std::vector<std::string> Lines;
};

struct ReceiptSale {
    int ArticleNumber = 0;
    std::int64_t Quantity = 0;  // negative for a correction
    std::int64_t Amount = 0;
};

enum class ReceiptKind { None, Sale, Refund, NonFiscal };

struct Receipt {
    ReceiptKind Kind = ReceiptKind::None;
    int OperatorNumber = 0;
    int Till = 0;
    std::int64_t Groups[kTaxGroups] = {};
    std::int64_t Paid = 0;
    std::int64_t Payments[kPaymentTypes] = {};
    bool Paying = false;  // a payment was taken: no more sales
    int Items = 0;
    std::vector<ReceiptSale> Sales;
    std::vector<std::string> Printed;  // for the electronic journal

    bool Fiscal() const { return Kind == ReceiptKind::Sale || Kind == ReceiptKind::Refund; }
    std::int64_t Total() const;
};

struct NetworkParams {
    bool Dhcp = false;
    std::array<std::uint8_t, 4> Address{192, 168, 1, 100};
    std::array<std::uint8_t, 4> Mask{255, 255, 255, 0};
    std::array<std::uint8_t, 4> Bridge{192, 168, 1, 1};
    std::array<std::uint8_t, 4> Target{10, 0, 0, 5};
    std::uint16_t Port = 8080;
    std::uint16_t RepeatPeriod = 60;
    std::uint16_t RepeatAfterError = 3;
};

struct PrinterState {
    PrinterState();

    std::vector<Article> Articles;  // index = slot, slot 0 unused
    std::array<Operator, kOperatorCount> Operators;
    std::string ReportPassword = "0000";
    DayTotals Day;
    std::int64_t Cash = 0;
    std::vector<ZRecord> ZRecords;
    std::vector<JournalDocument> Journal;
    int DocumentNumber = 0;  // every document printed
    int FiscalNumber = 0;    // closed fiscal and refund receipts
    std::int64_t ClockOffset = 0;  // printer calendar minus host calendar
    bool ClockSet = true;
    std::int64_t LastDocumentAt = -1;
    std::int64_t PersonalisedAt = 0;
    NetworkParams Network;

    // Not kept across restarts.
    Receipt Open;
    std::string DisplayUpper, DisplayLower;
    int ArticleCursor = 0;
};

}  // namespace simulator
