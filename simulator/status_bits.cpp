#include "simulator/status_bits.h"

namespace simulator {

using namespace status;

const StatusBitInfo kStatusBitTable[] = {
    {kSyntaxError, "syntax-error", true, "the data field cannot be read"},
    {kInvalidCommand, "invalid-command", true, "unknown command code"},
    {kClockNotSet, "clock-not-set", true, "the clock must be set (command 61) first"},
    {kMechanismError, "mechanism-error", true, "printing mechanism fault"},
    {kGeneralError, "general-error", true, "set with any fail bit of S0, S1 or S2"},
    {kOverflow, "overflow", true, "an amount or counter would overflow"},
    {kNotAllowed, "not-allowed", true, "the command is not allowed in this state"},
    {kWrongPassword, "wrong-password", true, "operator, report or article password wrong"},
    {kRefundReceipt, "refund-receipt", false, "the open fiscal receipt is a refund"},
    {kUnknownArticle, "unknown-article", true, "the article slot is not programmed"},
    {kReceiptPaid, "receipt-paid", false, "the open receipt is paid in full"},
    {kPaperOut, "paper-out", true, "no paper"},
    {kPaperNearEnd, "paper-near-end", false, "paper near its end (byte only)"},
    {kFiscalReceipt, "fiscal-receipt", false, "a fiscal (or refund) receipt is open"},
    {kNonFiscalReceipt, "nonfiscal-receipt", false, "a non-fiscal receipt is open"},
    {kFmWriteError, "fm-write-error", true, "the fiscal memory could not be written"},
    {kDayOver24h, "day-over-24h", true, "the day is over 24 hours old: Z report due"},
    {kFmNearFull, "fm-near-full", false, "fewer than 50 Z records free"},
    {kFmFull, "fm-full", true, "no Z record free"},
    {kFmError, "fm-error", true, "set with fm-write-error or fm-full"},
    {kEjFull, "ej-full", true, "the electronic journal is full"},
    {kTaxRatesSet, "tax-rates-set", false, "tax rates programmed"},
    {kEjError, "ej-error", true, "electronic journal fault"},
    {kFiscalised, "fiscalised", false, "the printer is in fiscal mode"},
    {kNumbersSet, "numbers-set", false, "serial and fiscal numbers programmed"},
    {kEjNearFull, "ej-near-full", false, "the electronic journal is almost full"},
};
const std::size_t kStatusBitCount = sizeof kStatusBitTable / sizeof kStatusBitTable[0];

const StatusBitInfo* FindStatusBit(std::string_view name) {
    for (const StatusBitInfo& info : kStatusBitTable)
        if (name == info.Name) return &info;
    return nullptr;
}

void StatusBytes::Merge(const StatusBytes& other) {
    for (std::size_t i = 0; i < devicelink::kStatusBytes; ++i) bytes_[i] |= other.bytes_[i];
}

bool StatusBytes::Any() const {
    for (std::uint8_t b : bytes_)
        if (b) return true;
    return false;
}

void StatusBytes::Wire(std::uint8_t (&out)[devicelink::kStatusBytes]) const {
    StatusBytes all = *this;
    bool generalError = false;
    bool fmError = all.Has(kFmWriteError) || all.Has(kFmFull);
    for (const StatusBitInfo& info : kStatusBitTable)
        if (info.Failure && info.Bit.Byte <= 2 && all.Has(info.Bit)) generalError = true;
    if (generalError) all.Set(kGeneralError);
    if (fmError) all.Set(kFmError);
    for (std::size_t i = 0; i < devicelink::kStatusBytes; ++i)
        out[i] = static_cast<std::uint8_t>(all.bytes_[i] | 0x80);
}

}  // namespace simulator
