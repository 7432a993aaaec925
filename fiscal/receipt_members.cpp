// Fiscal receipts: opening, sales, subtotal, text lines, payments, closing
// and cancelling, the empty receipt, copies and the cutter, and the reads of
// the open receipt. The receipt itself lives on the printer: these members
// keep nothing and leave the order of calls to the printer to judge.
#include <string>

#include "commands/commands.h"
#include "devicelink/status_word.h"
#include "fiscal/TECRFiscImpl.h"
#include "fiscal/automation_values.h"
#include "fiscal/call_pattern.h"
#include "fiscal/report_exception.h"

namespace fiscal {

namespace {

// The longest text line the printer takes inside a fiscal receipt.
constexpr std::size_t kMaxReceiptText = 24;

// Command 76 carries the receipt total and the amount paid so far, in
// hundredths, as its fields 2 and 3.
constexpr int kTotalField = 2;
constexpr int kPaidField = 3;

// Payment type 0..3 and the letter command 53 carries for it; 0 for a type
// the printer does not know.
char PaymentLetter(int type) {
    constexpr char kLetters[] = {'P', 'N', 'D', 'C'};
    return type >= 0 && type <= 3 ? kLetters[type] : 0;
}

// NaN is refused here too: it compares false with everything.
bool PayableAmount(double amount) { return amount >= 0; }

double CurrencyOf(long long hundredths) { return static_cast<double>(hundredths) / 100.0; }

// Command 76 "T" and the rest still to pay from its reply, in hundredths.
// False, with the outcome recorded, when the printer failed or the reply
// lacks a field: then no payment may go out. A negative rest is returned
// as it is.
bool QueryRest(long long& rest) {
    if (!SendStep(commands::CmdTransactionStatus, 1)) return false;
    if (State().LastReply.FieldCount <= kPaidField) {
        RecordUnusableReply();
        return false;
    }
    rest = IntegerOf(ReplyField(kTotalField)) - IntegerOf(ReplyField(kPaidField));
    return true;
}

// The checks and steps both payment members share, after the leading status
// query: a zero amount pays whatever is still due. `send` puts one payment
// of the given amount on the wire.
template <class SendPayment>
bool PayAmountOrRest(double amount, int type, SendPayment send) {
    ResetDeviceErrors();
    if (!PayableAmount(amount) || !PaymentLetter(type)) {
        RecordRefusal();
        return false;
    }
    if (amount == 0) {
        long long rest = 0;
        if (!QueryRest(rest)) return false;
        if (rest < 0) {  // more paid than the total: nothing to pay
            RecordRefusal();
            return false;
        }
        amount = CurrencyOf(rest);
    }
    ResetDeviceErrors();
    return send(amount) && RecordOutcome();
}

// A payment with command 53, after the guard.
bool Pay(double amount, int type) {
    LeadingStatusQuery();
    return PayAmountOrRest(amount, type, [type](double a) {
        return SendAndWait(commands::CmdTotal, PaymentLetter(type), a);
    });
}

// The two reads of command 76: -1.0 unless the printer answered with the
// field.
double ReadReceiptAmount(int flag, int field) {
    if (!ConnectionGuard()) return -1.0;
    LeadingStatusQuery();
    ResetDeviceErrors();
    if (!SendAndWait(commands::CmdTransactionStatus, flag) || !RecordOutcome()) return -1.0;
    if (State().LastReply.FieldCount <= field) {
        RecordUnusableReply();
        return -1.0;
    }
    return CurrencyOf(IntegerOf(ReplyField(field)));
}

// Receipt kind from a status word: 3 non-fiscal, 2 refund, 1 sale, 0 none.
LONG ReceiptKindOf(std::uint32_t statusWord) {
    constexpr std::uint32_t kNonFiscalOpen = 0x00000800;
    constexpr std::uint32_t kFiscalOpen = 0x00000400;
    constexpr std::uint32_t kRefund = 0x00000080;
    if (statusWord & kNonFiscalOpen) return 3;
    if (!(statusWord & kFiscalOpen)) return 0;
    return (statusWord & kRefund) ? 2 : 1;
}

}  // namespace

// The printer is asked for its full status first ("X"): a receipt is not
// opened on a printer that reports a failure.
STDMETHODIMP TTECRFiscImpl::OpenFiscReceipt(int OperatorNum, int POSNum, BSTR OperatorPSW,
                                            VARIANT_BOOL* Result) {
    return Member(Result, [&] {
        *Result = VARIANT_FALSE;
        const std::string password = AnsiOf(OperatorPSW);
        if (!ConnectionGuard()) return;
        LeadingStatusQuery();
        if (!StatusPreCheck('X')) return;
        ResetDeviceErrors();
        *Result = ToVariantBool(SendAndWait(commands::CmdOpenFiscal, OperatorNum,
                                            password.c_str(), POSNum) &&
                                RecordOutcome());
    });
}

STDMETHODIMP TTECRFiscImpl::OpenRefundReceipt(int OperatorNum, int POSNum, BSTR OperatorPSW,
                                              VARIANT_BOOL* Result) {
    return Member(Result, [&] {
        const std::string password = AnsiOf(OperatorPSW);
        *Result = ToVariantBool(
            RunCommand(commands::CmdOpenRefund, OperatorNum, password.c_str(), POSNum));
    });
}

STDMETHODIMP TTECRFiscImpl::SellArtCash(VARIANT_BOOL Sign, LONG NumArt, double Quant,
                                        double Perc, double dc, VARIANT_BOOL* Result) {
    return Member(Result, [&] {
        *Result = ToVariantBool(
            RunCommand(commands::CmdSale, Sign != 0, NumArt, Quant, Perc, dc));
    });
}

STDMETHODIMP TTECRFiscImpl::SellArtCashDS(VARIANT_BOOL Sign, LONG NumArt, double Quant,
                                          double Perc, double dc, VARIANT_BOOL* Result) {
    return Member(Result, [&] {
        *Result = ToVariantBool(
            RunCommand(commands::CmdSaleDisplay, Sign != 0, NumArt, Quant, Perc, dc));
    });
}

STDMETHODIMP TTECRFiscImpl::SubTotalDS(VARIANT_BOOL Print, VARIANT_BOOL Display, double Perc,
                                       double DS, VARIANT_BOOL* Result) {
    return Member(Result, [&] {
        *Result = ToVariantBool(
            RunCommand(commands::CmdSubtotal, Print != 0, Display != 0, Perc, DS));
    });
}

// The length is checked before anything else, so an over-long line is
// refused even with no port open. An empty line prints nothing and counts
// as done. A line that is just "0" is printed like any other.
STDMETHODIMP TTECRFiscImpl::StrPrntCash(BSTR Str1, VARIANT_BOOL* Result) {
    return Member(Result, [&] {
        *Result = VARIANT_FALSE;
        const std::string text = AnsiOf(Str1);
        if (text.size() > kMaxReceiptText) {
            RecordRefusal();
            return;
        }
        if (!ConnectionGuard()) return;
        LeadingStatusQuery();
        ResetDeviceErrors();
        if (text.empty()) {
            State().OperationState = kSucceeded;
            *Result = VARIANT_TRUE;
            return;
        }
        *Result = ToVariantBool(SendAndWait(commands::CmdPrintFiscalText, text.c_str()) &&
                                RecordOutcome());
    });
}

STDMETHODIMP TTECRFiscImpl::Payment(double Summa, int type, VARIANT_BOOL* Result) {
    return Member(Result, [&] { *Result = ToVariantBool(ConnectionGuard() && Pay(Summa, type)); });
}

// A payment with a transaction code goes out as command 120; without the
// code flag, or in cash, it is an ordinary payment.
STDMETHODIMP TTECRFiscImpl::NewPayment(VARIANT_BOOL KSEF, double Summa, int TypePmt,
                                       BSTR CodeTrasaction, VARIANT_BOOL* Result) {
    return Member(Result, [&] {
        *Result = VARIANT_FALSE;
        if (!ConnectionGuard()) return;
        if (KSEF == 0 || TypePmt == 0) {  // Payment's own steps; its guard has passed
            *Result = ToVariantBool(Pay(Summa, TypePmt));
            return;
        }
        const std::string code = AnsiOf(CodeTrasaction);
        LeadingStatusQuery();
        *Result = ToVariantBool(PayAmountOrRest(Summa, TypePmt, [&](double a) {
            return SendAndWait(commands::CmdPaymentWithCode, TypePmt, a, code.c_str());
        }));
    });
}

STDMETHODIMP TTECRFiscImpl::CloseFiscReceipt(VARIANT_BOOL* Result) {
    return Member(Result, [&] { *Result = ToVariantBool(RunCommand(commands::CmdCloseFiscal)); });
}

STDMETHODIMP TTECRFiscImpl::ReceiptCancel(VARIANT_BOOL* Result) {
    return Member(Result, [&] {
        *Result = VARIANT_FALSE;
        if (!ConnectionGuard()) return;
        LeadingStatusQuery();
        if (!StatusPreCheck('W')) return;
        ResetDeviceErrors();
        *Result = ToVariantBool(SendAndWait(commands::CmdCancelReceipt) && RecordOutcome());
    });
}

// Open, pay 0.00 in cash, close. A step the printer refuses ends the member
// there; nothing is cancelled, so a receipt may stay open.
STDMETHODIMP TTECRFiscImpl::NullReceipt(int OperatorNum, int POSNum, BSTR OperatorPSW,
                                        VARIANT_BOOL* Result) {
    return Member(Result, [&] {
        *Result = VARIANT_FALSE;
        const std::string password = AnsiOf(OperatorPSW);
        if (!ConnectionGuard()) return;
        LeadingStatusQuery();
        if (!StatusPreCheck('W')) return;
        if (!SendStep(commands::CmdOpenFiscal, OperatorNum, password.c_str(), POSNum)) return;
        if (!SendStep(commands::CmdTotal, PaymentLetter(0), 0.0)) return;
        ResetDeviceErrors();
        *Result = ToVariantBool(SendAndWait(commands::CmdCloseFiscal) && RecordOutcome());
    });
}

// One or two copies.
STDMETHODIMP TTECRFiscImpl::DoCopy(LONG Num, VARIANT_BOOL* Result) {
    return Member(Result, [&] {
        *Result = VARIANT_FALSE;
        if (!ConnectionGuard()) return;
        LeadingStatusQuery();
        ResetDeviceErrors();
        if (Num != 1 && Num != 2) {
            RecordRefusal();
            return;
        }
        *Result = ToVariantBool(SendAndWait(commands::CmdReceiptCopy, Num) && RecordOutcome());
    });
}

STDMETHODIMP TTECRFiscImpl::ReceiptCut(LONG* Result) {
    return Member(Result, [&] { *Result = RunCommand(commands::CmdCutReceipt) ? 1 : 0; });
}

STDMETHODIMP TTECRFiscImpl::GetReceiptSum(double* Sum) {
    return Member(Sum, [&] { *Sum = ReadReceiptAmount(0, kTotalField); });
}

STDMETHODIMP TTECRFiscImpl::GetReceiptPay(double* Pay) {
    return Member(Pay, [&] { *Pay = ReadReceiptAmount(1, kPaidField); });
}

// The number is read whatever the status bits say, as long as the printer
// answered with one; a success leaves OperationState as it was.
STDMETHODIMP TTECRFiscImpl::get_NumbRec(int* Value) {
    return Member(Value, [&] {
        *Value = -1;
        if (!ConnectionGuard()) return;
        LeadingStatusQuery();
        ResetDeviceErrors();
        if (!SendAndWait(commands::CmdLastReceiptNumber)) return;
        KeepReplyStatus();
        const devicelink::RetData& reply = State().LastReply;
        if ((reply.StatusWord & devicelink::kStatusNoReply) || reply.FieldCount == 0) {
            State().OperationState = kDeviceFailed;
            return;
        }
        *Value = static_cast<int>(IntegerOf(ReplyField(0)));
    });
}

STDMETHODIMP TTECRFiscImpl::get_Receipt(LONG* Value) {
    return Member(Value, [&] {
        *Value = -1;
        if (!ConnectionGuard()) return;
        LeadingStatusQuery();
        ResetDeviceErrors();
        if (!SendAndWait(commands::CmdGetStatus, 1) || !RecordOutcome()) return;
        *Value = ReceiptKindOf(State().LastStatusWord);
    });
}

}  // namespace fiscal
