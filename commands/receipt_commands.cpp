// Fiscal and non-fiscal receipts, sales, subtotals and payments.
#include <cstdint>

#include "commands/commands.h"
#include "commands/data_field.h"
#include "commands/send.h"

namespace commands {

namespace {

// Operator and till numbers go out as five-digit unsigned numbers; a
// negative one goes out as its 32-bit unsigned value, the same on every
// platform whatever the width of unsigned long.
unsigned long Unsigned32(int value) {
    return static_cast<unsigned long>(static_cast<std::uint32_t>(value));
}

int OpenReceipt(Completion completion, int tag, int commandCode, int operatorNumber,
                const char* password, int tillNumber) {
    return DataField()
        .Format("%05lu,%s,%05lu,I", Unsigned32(operatorNumber), TextOf(password),
                Unsigned32(tillNumber))
        .Send(completion, tag, commandCode);
}

int RegisterSale(Completion completion, int tag, int commandCode, int sign, int article,
                 double quantity, double percentage, double amount) {
    if (!AllFinite(quantity, percentage, amount)) return kRejected;
    if (percentage != 0 && amount != 0) return kRejected;
    if (quantity < 0) return kRejected;
    if (percentage < -99.99 || percentage > 99.99) return kRejected;

    DataField field;
    field.Format("%s%d", sign ? "" : "-", article);
    if (quantity > 0) field.Append('*').AppendQuantity(quantity);
    if (percentage != 0) field.Append(',').AppendAmount(percentage);
    if (amount != 0) field.Append(';').AppendAmount(amount);
    return field.Send(completion, tag, commandCode);
}

}  // namespace

int CmdOpenFiscal(Completion completion, int tag, int operatorNumber, const char* password,
                  int tillNumber) {
    return OpenReceipt(completion, tag, kOpenFiscal, operatorNumber, password, tillNumber);
}

int CmdOpenRefund(Completion completion, int tag, int operatorNumber, const char* password,
                  int tillNumber) {
    return OpenReceipt(completion, tag, kOpenRefund, operatorNumber, password, tillNumber);
}

int CmdSale(Completion completion, int tag, int sign, int article, double quantity,
            double percentage, double amount) {
    return RegisterSale(completion, tag, kSale, sign, article, quantity, percentage, amount);
}

int CmdSaleDisplay(Completion completion, int tag, int sign, int article, double quantity,
                   double percentage, double amount) {
    return RegisterSale(completion, tag, kSaleDisplay, sign, article, quantity, percentage,
                        amount);
}

int CmdSubtotal(Completion completion, int tag, int print, int display, double percentage,
                double amount) {
    if (!AllFinite(percentage, amount)) return kRejected;
    if (percentage != 0 && amount != 0) return kRejected;

    DataField field;
    field.Append(print ? '1' : '0').Append(display ? '1' : '0');
    if (percentage != 0) field.Append(',').AppendAmount(percentage);
    if (amount != 0) field.Append(';').AppendAmount(amount);
    return field.Send(completion, tag, kSubtotal);
}

int CmdTotal(Completion completion, int tag, char paymentType, double amount) {
    if (!AllFinite(amount)) return kRejected;
    return DataField()
        .Append('\t')
        .Append(paymentType)
        .AppendAmount(amount)
        .Send(completion, tag, kTotal);
}

int CmdPaymentWithCode(Completion completion, int tag, int paymentType, double amount,
                       const char* transactionCode) {
    if (!AllFinite(amount)) return kRejected;
    return DataField()
        .Format("%i,", paymentType)
        .AppendAmount(amount)
        .Format(",%s", TextOf(transactionCode))
        .Send(completion, tag, kPaymentWithCode);
}

int CmdPrintFiscalText(Completion completion, int tag, const char* text) {
    return SendText(completion, tag, kPrintFiscalText, text);
}

int CmdCloseFiscal(Completion completion, int tag) {
    return SendEmpty(completion, tag, kCloseFiscal);
}

int CmdCancelReceipt(Completion completion, int tag) {
    return SendEmpty(completion, tag, kCancelReceipt);
}

int CmdTransactionStatus(Completion completion, int tag, int flag) {
    return SendData(completion, tag, kTransactionStatus, flag ? "T" : "");
}

int CmdOpenNonFiscal(Completion completion, int tag) {
    return SendEmpty(completion, tag, kOpenNonFiscal);
}

int CmdCloseNonFiscal(Completion completion, int tag) {
    return SendEmpty(completion, tag, kCloseNonFiscal);
}

int CmdPrintNonFiscal(Completion completion, int tag, const char* text) {
    return SendText(completion, tag, kPrintNonFiscal, text);
}

int CmdCutReceipt(Completion completion, int tag) {
    return SendEmpty(completion, tag, kCutReceipt);
}

int CmdReceiptCopy(Completion completion, int tag, int count) {
    // The printer takes the count as one signed byte: 200 goes out as -56.
    const int lowByte = static_cast<std::int8_t>(static_cast<std::uint8_t>(count));
    return DataField().Format("%i", lowByte).Send(completion, tag, kReceiptCopy);
}

int CmdLastReceiptNumber(Completion completion, int tag) {
    return SendEmpty(completion, tag, kLastReceiptNumber);
}

}  // namespace commands
