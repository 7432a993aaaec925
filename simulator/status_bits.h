// The printer's six status bytes. Every byte goes on the line with bit 7 set.
//
// Bit map (byte.bit, name, what it means; "fail" marks the bits that make a
// host call fail, "info" the bits that only inform):
//
//   S0.0 syntax-error       fail  the data field cannot be read
//   S0.1 invalid-command    fail  unknown command code
//   S0.2 clock-not-set      fail  the clock must be set (command 61) first
//   S0.4 mechanism-error    fail  printing mechanism fault
//   S0.5 general-error      fail  set with any fail bit of S0, S1 or S2
//   S1.0 overflow           fail  an amount or counter would overflow
//   S1.1 not-allowed        fail  the command is not allowed in this state
//   S1.2 wrong-password     fail  operator, report or article password wrong
//   S1.3 refund-receipt     info  the open fiscal receipt is a refund
//   S1.4 unknown-article    fail  the article slot is not programmed
//   S1.5 receipt-paid       info  the open receipt is paid in full
//   S2.0 paper-out          fail  no paper
//   S2.1 paper-near-end     -     only in the byte itself
//   S2.3 fiscal-receipt     info  a fiscal (or refund) receipt is open
//   S2.5 nonfiscal-receipt  info  a non-fiscal receipt is open
//   S4.0 fm-write-error     fail  the fiscal memory could not be written
//   S4.2 day-over-24h       fail  the day is over 24 hours old: Z report due
//   S4.3 fm-near-full       info  fewer than 50 Z records free
//   S4.4 fm-full            fail  no Z record free
//   S4.5 fm-error           fail  set with fm-write-error or fm-full
//   S5.0 ej-full            fail  the electronic journal is full
//   S5.1 tax-rates-set      info  tax rates programmed
//   S5.2 ej-error           fail  electronic journal fault
//   S5.3 fiscalised         info  the printer is in fiscal mode
//   S5.4 numbers-set        info  serial and fiscal numbers programmed
//   S5.5 ej-near-full       info  the electronic journal is almost full
//
// S3 and the bits not listed are always 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "devicelink/frame.h"

namespace simulator {

struct StatusBit {
    std::uint8_t Byte;
    std::uint8_t Bit;
};

namespace status {
inline constexpr StatusBit kSyntaxError{0, 0};
inline constexpr StatusBit kInvalidCommand{0, 1};
inline constexpr StatusBit kClockNotSet{0, 2};
inline constexpr StatusBit kMechanismError{0, 4};
inline constexpr StatusBit kGeneralError{0, 5};
inline constexpr StatusBit kOverflow{1, 0};
inline constexpr StatusBit kNotAllowed{1, 1};
inline constexpr StatusBit kWrongPassword{1, 2};
inline constexpr StatusBit kRefundReceipt{1, 3};
inline constexpr StatusBit kUnknownArticle{1, 4};
inline constexpr StatusBit kReceiptPaid{1, 5};
inline constexpr StatusBit kPaperOut{2, 0};
inline constexpr StatusBit kPaperNearEnd{2, 1};
inline constexpr StatusBit kFiscalReceipt{2, 3};
inline constexpr StatusBit kNonFiscalReceipt{2, 5};
inline constexpr StatusBit kFmWriteError{4, 0};
inline constexpr StatusBit kDayOver24h{4, 2};
inline constexpr StatusBit kFmNearFull{4, 3};
inline constexpr StatusBit kFmFull{4, 4};
inline constexpr StatusBit kFmError{4, 5};
inline constexpr StatusBit kEjFull{5, 0};
inline constexpr StatusBit kTaxRatesSet{5, 1};
inline constexpr StatusBit kEjError{5, 2};
inline constexpr StatusBit kFiscalised{5, 3};
inline constexpr StatusBit kNumbersSet{5, 4};
inline constexpr StatusBit kEjNearFull{5, 5};
}  // namespace status

struct StatusBitInfo {
    StatusBit Bit;
    const char* Name;
    bool Failure;
    const char* Meaning;
};

// The table above, for the help text and the control channel.
extern const StatusBitInfo kStatusBitTable[];
extern const std::size_t kStatusBitCount;
const StatusBitInfo* FindStatusBit(std::string_view name);

class StatusBytes {
public:
    void Set(StatusBit b) { bytes_[b.Byte] |= static_cast<std::uint8_t>(1u << b.Bit); }
    bool Has(StatusBit b) const { return bytes_[b.Byte] & (1u << b.Bit); }
    void Merge(const StatusBytes& other);
    bool Any() const;
    // Adds the two summary flags and bit 7 of every byte: the bytes as they
    // go on the line.
    void Wire(std::uint8_t (&out)[devicelink::kStatusBytes]) const;

private:
    std::uint8_t bytes_[devicelink::kStatusBytes] = {};
};

}  // namespace simulator
