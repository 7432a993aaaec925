// The device commands: their codes and one wrapper per command that checks
// its inputs, composes the data field and sends it through the process's
// device link.
//
// Every wrapper takes the caller's completion function and tag first and
// hands both to SendCommand unchanged. It returns what SendCommand returned
// (devicelink::kSendDone, kSendNotReady, kSendDataTooLong) or one of its own
// rejections below; a rejected call sends nothing and never calls the
// completion function. Amounts, prices and percentages go out with two
// decimals, quantities with three, always with a decimal point whatever the
// locale. Texts are 8-bit text passed byte for byte; a null text is empty.
// An amount, price, quantity or percentage that is not finite is rejected.
#pragma once

#include "devicelink/ret_data.h"

namespace commands {

using devicelink::Completion;

// Command codes (the CMD byte of a request).
enum Command : int {
    kClearDisplay = 33,
    kDisplayLower = 35,
    kWriteNetParams = 36,
    kReadNetParams = 37,
    kOpenNonFiscal = 38,
    kCloseNonFiscal = 39,
    kPrintNonFiscal = 42,
    kCutReceipt = 45,
    kDisplayUpper = 47,
    kOpenFiscal = 48,
    kSubtotal = 51,
    kSaleDisplay = 52,
    kTotal = 53,
    kPrintFiscalText = 54,
    kCloseFiscal = 56,
    kCancelReceipt = 57,
    kSale = 58,
    kSetDateTime = 61,
    kGetDateTime = 62,
    kShowDateTime = 63,
    kLastZReport = 64,
    kDayTotals = 65,
    kDayReport = 69,
    kServiceCash = 70,
    kFullReportByNumber = 73,
    kGetStatus = 74,
    kTransactionStatus = 76,
    kShortReportByDate = 79,
    kOpenRefund = 85,
    kBarcode = 88,
    kDiagnostics = 90,
    kFullReportByDate = 94,
    kShortReportByNumber = 95,
    kSetOperatorPassword = 101,
    kSetOperatorName = 102,
    kOpenDrawer = 106,
    kArticles = 107,
    kModemReport = 108,
    kReceiptCopy = 109,
    kArticlesReport = 111,
    kLastReceiptNumber = 113,
    kJournalCopy = 116,
    kClearOperatorPasswords = 119,
    kPaymentWithCode = 120,
    kJournalCopies = 235,
    kJournalTaxReport = 236,
    kDeviceId = 255,
};

// Wrapper rejections. Only the article-programming wrapper tells its inputs
// apart; every other rejection is kRejected.
inline constexpr int kRejected = -1;
inline constexpr int kRejectedTaxLetter = -2;
inline constexpr int kRejectedGroup = -3;
inline constexpr int kRejectedPrice = -4;

// Data field of the modem status report (no wrapper): "1" asks the printer
// to print the report as well.
inline const char* ModemReportData(bool printReport) { return printReport ? "1" : "0"; }

// --- Display, clock, status and device (display_commands.cpp) ---

// Clears the customer display.
int CmdClearDisplay(Completion completion, int tag);
// Shows `text` on the display's lower line.
int CmdDisplayLower(Completion completion, int tag, const char* text);
// Shows `text` on the display's upper line.
int CmdDisplayUpper(Completion completion, int tag, const char* text);
// Shows the printer's date and time on the display.
int CmdShowDateTime(Completion completion, int tag);
// Sets the clock: date, one space, time.
int CmdSetDateTime(Completion completion, int tag, const char* date, const char* time);
// Reads the clock.
int CmdGetDateTime(Completion completion, int tag);
// Status query: "X" when `flag` is set, else "W".
int CmdGetStatus(Completion completion, int tag, int flag);
// Diagnostic information: "1" when `flag` is set, else "0".
int CmdDiagnostics(Completion completion, int tag, int flag);
// Reads the device identifier.
int CmdDeviceId(Completion completion, int tag);
// Opens the cash drawer; numbers up to 4 send an empty field, larger ones
// their decimal value.
int CmdOpenDrawer(Completion completion, int tag, int number);
// Service cash in (positive) or out (negative); exactly 0 sends an empty
// field, which reads the cash figures.
int CmdServiceCash(Completion completion, int tag, double amount);
// Prints a barcode: the character 30h + (type mod 256), then the text.
int CmdBarcode(Completion completion, int tag, int type, const char* text);
// Reads the network unit's parameters.
int CmdReadNetParams(Completion completion, int tag);

// --- Receipts (receipt_commands.cpp) ---

// Opens a fiscal receipt: "%05lu,%s,%05lu,I" of operator, password, till.
int CmdOpenFiscal(Completion completion, int tag, int operatorNumber, const char* password,
                  int tillNumber);
// Opens a refund receipt, fields as CmdOpenFiscal.
int CmdOpenRefund(Completion completion, int tag, int operatorNumber, const char* password,
                  int tillNumber);
// Registers a sale: "-" unless `sign` is set, the article, "*quantity" when
// the quantity is above 0, ",percentage" and ";amount" when non-zero.
// Rejects a percentage together with an amount, a negative quantity and a
// percentage outside -99.99..99.99.
int CmdSale(Completion completion, int tag, int sign, int article, double quantity,
            double percentage, double amount);
// CmdSale that also shows the sale on the display.
int CmdSaleDisplay(Completion completion, int tag, int sign, int article, double quantity,
                   double percentage, double amount);
// Subtotal: print and display flags as "0"/"1" each, then ",percentage" or
// ";amount" when non-zero. Rejects a percentage together with an amount.
int CmdSubtotal(Completion completion, int tag, int print, int display, double percentage,
                double amount);
// Payment: TAB, the payment-type letter, the amount.
int CmdTotal(Completion completion, int tag, char paymentType, double amount);
// Payment with a transaction code: "%i,amount,%s" of type, amount, code.
int CmdPaymentWithCode(Completion completion, int tag, int paymentType, double amount,
                       const char* transactionCode);
// Prints a text line in a fiscal receipt.
int CmdPrintFiscalText(Completion completion, int tag, const char* text);
// Closes the fiscal receipt.
int CmdCloseFiscal(Completion completion, int tag);
// Cancels the open receipt.
int CmdCancelReceipt(Completion completion, int tag);
// Fiscal transaction status: "T" when `flag` is set, else empty.
int CmdTransactionStatus(Completion completion, int tag, int flag);
// Opens a non-fiscal receipt.
int CmdOpenNonFiscal(Completion completion, int tag);
// Closes the non-fiscal receipt.
int CmdCloseNonFiscal(Completion completion, int tag);
// Prints a text line in a non-fiscal receipt.
int CmdPrintNonFiscal(Completion completion, int tag, const char* text);
// Cuts the receipt.
int CmdCutReceipt(Completion completion, int tag);
// Prints receipt copies: the low 8 bits of `count` as a signed number.
int CmdReceiptCopy(Completion completion, int tag, int count);
// Reads the number of the last receipt.
int CmdLastReceiptNumber(Completion completion, int tag);

// --- Reports and electronic journal (report_commands.cpp) ---

// X or Z report: "%s,%c" of password and report letter.
int CmdDayReport(Completion completion, int tag, const char* password, char report);
// Full periodic report by number: "%s,%04d,%04d".
int CmdFullReportByNumber(Completion completion, int tag, const char* password, int first,
                          int last);
// Short periodic report by number: "%s,%04d,%04d".
int CmdShortReportByNumber(Completion completion, int tag, const char* password, int first,
                           int last);
// Full periodic report by date: "%s,%6s,%6s".
int CmdFullReportByDate(Completion completion, int tag, const char* password,
                        const char* firstDate, const char* lastDate);
// Short periodic report by date: "%s,%s,%s".
int CmdShortReportByDate(Completion completion, int tag, const char* password,
                         const char* firstDate, const char* lastDate);
// Articles report: "%s,%c"; rejects letters other than "S", "P" and "G".
int CmdArticlesReport(Completion completion, int tag, const char* password, char report);
// Fiscal copy of one document from the electronic journal.
int CmdJournalCopy(Completion completion, int tag, int number);
// Fiscal copies from the electronic journal: "%i,%i".
int CmdJournalCopies(Completion completion, int tag, int first, int second);
// Tax report from the electronic journal.
int CmdJournalTaxReport(Completion completion, int tag, int number);

// --- Articles and operators (article_commands.cpp) ---

// Programs an article: "P", tax letter, "%d,%d," of article and group, the
// price, ",%s,%s" of password and name. Rejects, in this order: article
// <= 0 (kRejected), a tax letter other than the bytes C0h..C4h
// (kRejectedTaxLetter), a group outside 0..99 (kRejectedGroup), a price not
// above 0 or not finite (kRejectedPrice).
int CmdArticleProgram(Completion completion, int tag, char taxLetter, int article, int group,
                      double price, const char* password, const char* name);
// Deletes article `article`, or all of them ("DA,") for 0; rejects < 0.
int CmdArticleDelete(Completion completion, int tag, int article, const char* password);
// Changes an article's price: "C%d,price,%s"; rejects article <= 0.
int CmdArticlePrice(Completion completion, int tag, int article, double price,
                    const char* password);
// Reads article `article`: "R%d"; rejects < 0.
int CmdArticleRead(Completion completion, int tag, int article);
// Reads the first programmed article.
int CmdArticleFirst(Completion completion, int tag);
// Reads the next programmed article.
int CmdArticleNext(Completion completion, int tag);
// Sets an operator's password: "%d,%s,%s" of operator, old and new.
int CmdSetOperatorPassword(Completion completion, int tag, int operatorNumber,
                           const char* oldPassword, const char* newPassword);
// Sets an operator's name: "%d,%s,%s" of operator, password, name.
int CmdSetOperatorName(Completion completion, int tag, int operatorNumber, const char* password,
                       const char* name);
// Resets an operator's password: "%d,%s"; rejects operators outside 1..15.
int CmdClearOperatorPasswords(Completion completion, int tag, int operatorNumber,
                              const char* adminPassword);

}  // namespace commands
