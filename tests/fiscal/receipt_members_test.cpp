// The receipt members against a scripted printer: what each puts on the
// wire, its refusals, the rest a zero payment pays, NullReceipt stopping at
// a refused step, and the reads of the open receipt.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "fiscal/object_state.h"
#include "tests/fiscal/fake_printer.h"
#include "tests/fiscal/members_fixture.h"

using fiscal::State;
using testing_support::FakePrinter;
using testing_support::MembersTest;
using testing_support::ScriptedReply;
using testing_support::SentCommand;

namespace {

// A BSTR argument, freed with the case.
class Text {
public:
    explicit Text(const wchar_t* text) : bstr_(SysAllocString(text)) {}
    ~Text() { SysFreeString(bstr_); }
    Text(const Text&) = delete;
    Text& operator=(const Text&) = delete;
    operator BSTR() const { return bstr_; }

private:
    BSTR bstr_;
};

const SentCommand kStatusW{74, "W"};
const SentCommand kStatusX{74, "X"};
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInfinity = std::numeric_limits<double>::infinity();

// A member call as the test sees it: its result as a number (automation
// booleans -1/0, ReceiptCut's 1/0) and its HRESULT checked.
using Call = std::function<LONG(fiscal::TTECRFiscImpl&)>;

// Arguments are kept by value; a Text as its BSTR.
inline BSTR Kept(const Text& text) { return text; }
template <class T>
T Kept(T value) { return value; }

template <class Member, class... Args>
Call Bool(Member member, const Args&... args) {
    return [member, ... a = Kept(args)](fiscal::TTECRFiscImpl& o) {
        VARIANT_BOOL result = 7;
        EXPECT_EQ((o.*member)(a..., &result), S_OK);
        return LONG{result};
    };
}

class ReceiptTest : public MembersTest {
protected:
    LONG Run(const Call& call) { return call(*object); }
};

struct WireCase {
    const char* name;
    Call call;
    std::vector<SentCommand> sent;  // after SetComPort
    LONG result;
    LONG operationState;
};

TEST_F(ReceiptTest, CommandsAndDataFields) {
    using O = fiscal::TTECRFiscImpl;
    const Text password(L"0000"), hello(L"Hello"), empty(L""), zero(L"0"),
        line24(L"abcdefghijklmnopqrstuvwx"), line25(L"abcdefghijklmnopqrstuvwxy"),
        code(L"TX-77");
    const WireCase cases[] = {
        {"OpenFiscReceipt asks the full status first",
         Bool(&O::OpenFiscReceipt, 1, 2, password),
         {kStatusW, kStatusX, {48, "00001,0000,00002,I"}}, -1, 0},
        {"OpenRefundReceipt", Bool(&O::OpenRefundReceipt, 3, 40, password),
         {kStatusW, {85, "00003,0000,00040,I"}}, -1, 0},
        {"SellArtCash", Bool(
                            &O::SellArtCash, VARIANT_TRUE, 12, 2.0, -5.0, 0.0),
         {kStatusW, {58, "12*2.000,-5.00"}}, -1, 0},
        {"SellArtCash, sign 0 is the minus form",
         Bool(&O::SellArtCash, 0, 7, 0.0, 0.0, 0.0),
         {kStatusW, {58, "-7"}}, -1, 0},
        {"SellArtCash, any non-zero sign sells",
         Bool(&O::SellArtCash, 1, 7, 1.5, 0.0, 2.5),
         {kStatusW, {58, "7*1.500;2.50"}}, -1, 0},
        {"SellArtCashDS", Bool(
                              &O::SellArtCashDS, VARIANT_TRUE, 3, 1.0, 0.0, -1.5),
         {kStatusW, {52, "3*1.000;-1.50"}}, -1, 0},
        {"SellArtCash percentage and amount: refused, not sent",
         Bool(&O::SellArtCash, VARIANT_TRUE, 1, 1.0,
                                                          5.0, 1.0),
         {kStatusW}, 0, -1},
        {"SellArtCashDS NaN quantity",
         Bool(&O::SellArtCashDS, VARIANT_TRUE, 1,
                                                          kNaN, 0.0, 0.0),
         {kStatusW}, 0, -1},
        {"SubTotalDS", Bool(
                           &O::SubTotalDS, VARIANT_TRUE, 0, 10.0, 0.0),
         {kStatusW, {51, "10,10.00"}}, -1, 0},
        {"SubTotalDS percentage and amount",
         Bool(&O::SubTotalDS, VARIANT_TRUE,
                                                          VARIANT_TRUE, 5.0, 1.0),
         {kStatusW}, 0, -1},
        {"StrPrntCash", Bool(&O::StrPrntCash, hello), {kStatusW, {54, "Hello"}}, -1, 0},
        {"StrPrntCash 24 characters", Bool(&O::StrPrntCash, line24),
         {kStatusW, {54, "abcdefghijklmnopqrstuvwx"}}, -1, 0},
        {"StrPrntCash empty: only the status query", Bool(&O::StrPrntCash, empty),
         {kStatusW}, -1, 0},
        {"StrPrntCash null BSTR is empty", Bool(&O::StrPrntCash, nullptr), {kStatusW}, -1,
         0},
        {"StrPrntCash 25 characters: nothing sent", Bool(&O::StrPrntCash, line25), {}, 0,
         -1},
        {"StrPrntCash \"0\" is printed", Bool(&O::StrPrntCash, zero),
         {kStatusW, {54, "0"}}, -1, 0},
        {"Payment", Bool(&O::Payment, 5.0, 2), {kStatusW, {53, "\tD5.00"}}, -1, 0},
        {"Payment type 3", Bool(&O::Payment, 1234.5, 3),
         {kStatusW, {53, "\tC1234.50"}}, -1, 0},
        {"Payment below 0", Bool(&O::Payment, -1.0, 0), {kStatusW}, 0, -1},
        {"Payment type 4", Bool(&O::Payment, 5.0, 4), {kStatusW}, 0, -1},
        {"Payment type -1", Bool(&O::Payment, 5.0, -1), {kStatusW}, 0, -1},
        {"Payment NaN", Bool(&O::Payment, kNaN, 0), {kStatusW}, 0, -1},
        {"Payment infinity", Bool(&O::Payment, kInfinity, 0), {kStatusW}, 0, -1},
        {"NewPayment without the code flag is Payment",
         Bool(&O::NewPayment, 0, 5.0, 2, code),
         {kStatusW, {53, "\tD5.00"}}, -1, 0},
        {"NewPayment in cash is Payment",
         Bool(&O::NewPayment, VARIANT_TRUE, 5.0, 0, code),
         {kStatusW, {53, "\tP5.00"}}, -1, 0},
        {"NewPayment with a code",
         Bool(&O::NewPayment, VARIANT_TRUE, 5.0, 2, code),
         {kStatusW, {120, "2,5.00,TX-77"}}, -1, 0},
        {"NewPayment type 4",
         Bool(&O::NewPayment, VARIANT_TRUE, 5.0, 4, code),
         {kStatusW}, 0, -1},
        {"NewPayment below 0",
         Bool(&O::NewPayment, VARIANT_TRUE, -0.01, 1, code),
         {kStatusW}, 0, -1},
        {"CloseFiscReceipt", Bool(&O::CloseFiscReceipt), {kStatusW, {56, ""}}, -1, 0},
        {"ReceiptCancel checks the status twice", Bool(&O::ReceiptCancel),
         {kStatusW, kStatusW, {57, ""}}, -1, 0},
        {"NullReceipt", Bool(&O::NullReceipt, 1, 2, password),
         {kStatusW, kStatusW, {48, "00001,0000,00002,I"}, {53, "\tP0.00"}, {56, ""}}, -1, 0},
        {"DoCopy 1", Bool(&O::DoCopy, 1), {kStatusW, {109, "1"}}, -1, 0},
        {"DoCopy 2", Bool(&O::DoCopy, 2), {kStatusW, {109, "2"}}, -1, 0},
        {"DoCopy 0", Bool(&O::DoCopy, 0), {kStatusW}, 0, -1},
        {"DoCopy 3", Bool(&O::DoCopy, 3), {kStatusW}, 0, -1},
        {"ReceiptCut answers 1",
         [](O& o) {
             LONG r = 7;
             EXPECT_EQ(o.ReceiptCut(&r), S_OK);
             return r;
         },
         {kStatusW, {45, ""}}, 1, 0},
    };
    Open();
    for (const WireCase& c : cases) {
        SCOPED_TRACE(c.name);
        printer.sent.clear();
        State().OperationState = 99;
        EXPECT_EQ(Run(c.call), c.result);
        EXPECT_EQ(printer.sent, c.sent);
        EXPECT_EQ(OperationState(), c.operationState);
        EXPECT_EQ(Error(), c.operationState == -1 ? 1 : 0);
    }
}

TEST_F(ReceiptTest, NoPortRefusesEveryMember) {
    using O = fiscal::TTECRFiscImpl;
    const Text password(L"0000"), line(L"x"), line25(L"abcdefghijklmnopqrstuvwxy");
    const Call calls[] = {
        Bool(&O::OpenFiscReceipt, 1, 1, password),
        Bool(&O::OpenRefundReceipt, 1, 1, password),
        Bool(&O::SellArtCash, -1, 1, 1.0, 0.0, 0.0),
        Bool(&O::SellArtCashDS, -1, 1, 1.0, 0.0, 0.0),
        Bool(&O::SubTotalDS, -1, -1, 0.0, 0.0),
        Bool(&O::StrPrntCash, line), Bool(&O::StrPrntCash, line25),
        Bool(&O::Payment, 1.0, 0),
        Bool(&O::NewPayment, -1, 1.0, 1, line),
        Bool(&O::CloseFiscReceipt), Bool(&O::ReceiptCancel),
        Bool(&O::NullReceipt, 1, 1, password), Bool(&O::DoCopy, 1),
        [](O& o) {
            LONG r = 7;
            o.ReceiptCut(&r);
            return r;
        },
    };
    for (const Call& call : calls) {
        EXPECT_EQ(Run(call), 0);
        EXPECT_EQ(OperationState(), -1);
        EXPECT_EQ(Error(), 1);
    }
    double amount = 0;
    EXPECT_EQ(object->GetReceiptSum(&amount), S_OK);
    EXPECT_EQ(amount, -1.0);
    EXPECT_EQ(object->GetReceiptPay(&amount), S_OK);
    EXPECT_EQ(amount, -1.0);
    int number = 0;
    EXPECT_EQ(object->get_NumbRec(&number), S_OK);
    EXPECT_EQ(number, -1);
    LONG kind = 0;
    EXPECT_EQ(object->get_Receipt(&kind), S_OK);
    EXPECT_EQ(kind, -1);
    EXPECT_EQ(OperationState(), -1);
    EXPECT_TRUE(printer.ports.line->written.empty());
}

struct RestCase {
    const char* name;
    ScriptedReply status76;
    std::vector<SentCommand> sent;
    VARIANT_BOOL result;
    LONG operationState;
};

// A zero amount pays the rest: total minus paid from command 76 "T".
TEST_F(ReceiptTest, PaymentOfTheRest) {
    const std::vector<std::uint8_t> failure = FakePrinter::Status({{1, 0x02}});
    const RestCase cases[] = {
        {"paid below the total", {"1,3,1250,1000"}, {kStatusW, {76, "T"}, {53, "\tN2.50"}},
         VARIANT_TRUE, 0},
        {"everything paid", {"1,3,1000,1000"}, {kStatusW, {76, "T"}, {53, "\tN0.00"}},
         VARIANT_TRUE, 0},
        {"more paid than the total", {"1,3,1000,1250"}, {kStatusW, {76, "T"}}, VARIANT_FALSE,
         -1},
        {"fields read as integers", {" 0, 1, +1999x, 00"}, {kStatusW, {76, "T"}, {53, "\tN19.99"}},
         VARIANT_TRUE, 0},
        {"reply without the paid field", {"1,3,1250"}, {kStatusW, {76, "T"}}, VARIANT_FALSE, -2},
        {"printer failure on the query", {"1,3,1250,1000", failure}, {kStatusW, {76, "T"}},
         VARIANT_FALSE, -2},
        {"no reply to the query", {"", {}, true}, {kStatusW, {76, "T"}}, VARIANT_FALSE, -2},
    };
    Open();
    for (const RestCase& c : cases) {
        SCOPED_TRACE(c.name);
        // The fields of an older, longer reply must not stand in for missing ones.
        printer.replies[90] = {"9,9,9999,0,9,9,9"};
        LONG serialResult;
        BSTR serial = nullptr;
        object->GetSerNumber(&serial, &serialResult);
        SysFreeString(serial);

        printer.replies[76] = c.status76;
        printer.sent.clear();
        VARIANT_BOOL result = 7;
        EXPECT_EQ(object->Payment(0, 1, &result), S_OK);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(printer.sent, c.sent);
        EXPECT_EQ(OperationState(), c.operationState);
    }

    // The same rest goes out with the transaction code.
    printer.replies[76] = {"1,3,1250,1000"};
    printer.sent.clear();
    const Text code(L"C9");
    VARIANT_BOOL result = 7;
    EXPECT_EQ(object->NewPayment(VARIANT_TRUE, 0, 3, code, &result), S_OK);
    EXPECT_EQ(result, VARIANT_TRUE);
    EXPECT_EQ(printer.sent, (std::vector<SentCommand>{kStatusW, {76, "T"}, {120, "3,2.50,C9"}}));
    printer.replies[76] = {"1,3,1000,1250"};
    printer.sent.clear();
    EXPECT_EQ(object->NewPayment(VARIANT_TRUE, 0, 3, code, &result), S_OK);
    EXPECT_EQ(result, VARIANT_FALSE);
    EXPECT_EQ(printer.sent, (std::vector<SentCommand>{kStatusW, {76, "T"}}));
}

// A step the printer refuses ends NullReceipt there; nothing is cancelled.
TEST_F(ReceiptTest, NullReceiptStopsAtTheRefusedStep) {
    const Text password(L"0000");
    const SentCommand open{48, "00001,0000,00001,I"}, pay{53, "\tP0.00"}, close{56, ""};
    const struct {
        int failing;
        std::vector<SentCommand> sent;
    } cases[] = {
        {74, {kStatusW, kStatusW}},
        {48, {kStatusW, kStatusW, open}},
        {53, {kStatusW, kStatusW, open, pay}},
        {56, {kStatusW, kStatusW, open, pay, close}},
    };
    Open();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failing);
        printer.replies.clear();
        printer.replies[c.failing] = {"", FakePrinter::Status({{1, 0x02}})};
        printer.sent.clear();
        VARIANT_BOOL result = 7;
        EXPECT_EQ(object->NullReceipt(1, 1, password, &result), S_OK);
        EXPECT_EQ(result, VARIANT_FALSE);
        EXPECT_EQ(printer.sent, c.sent);
        EXPECT_EQ(OperationState(), -2);
        EXPECT_EQ(Error(), 7);  // status byte 1 bit 1: not allowed
    }
}

TEST_F(ReceiptTest, OpenFiscReceiptNeedsAHealthyFullStatus) {
    const Text password(L"0000");
    Open();
    printer.replies[74] = {"", FakePrinter::Status({{0, 0x10}})};
    VARIANT_BOOL result = 7;
    EXPECT_EQ(object->OpenFiscReceipt(1, 1, password, &result), S_OK);
    EXPECT_EQ(result, VARIANT_FALSE);
    EXPECT_EQ(printer.sent, (std::vector<SentCommand>{kStatusW, kStatusX}));
    EXPECT_EQ(OperationState(), -2);
    EXPECT_EQ(StatusByte(0), 0x10);
}

TEST_F(ReceiptTest, ReceiptAmounts) {
    Open();
    double sum = 0, pay = 0;
    printer.replies[76] = {"1,3,1250,1000"};
    EXPECT_EQ(object->GetReceiptSum(&sum), S_OK);
    EXPECT_EQ(object->GetReceiptPay(&pay), S_OK);
    EXPECT_EQ(sum, 12.5);
    EXPECT_EQ(pay, 10.0);
    EXPECT_EQ(OperationState(), 0);
    EXPECT_EQ(printer.sent,
              (std::vector<SentCommand>{kStatusW, {76, ""}, kStatusW, {76, "T"}}));

    printer.replies[76] = {"1,1,1999,-5"};
    object->GetReceiptSum(&sum);
    object->GetReceiptPay(&pay);
    EXPECT_EQ(sum, 19.99);  // the nearest double, not 1999 * 0.01
    EXPECT_EQ(pay, -0.05);

    const struct {
        const char* name;
        ScriptedReply reply;
    } failures[] = {
        {"failure bit", {"1,3,1250,1000", FakePrinter::Status({{0, 0x01}})}},
        {"short reply", {"1,3"}},
        {"no reply", {"", {}, true}},
    };
    for (const auto& f : failures) {
        SCOPED_TRACE(f.name);
        printer.replies[76] = f.reply;
        sum = pay = 0;
        EXPECT_EQ(object->GetReceiptSum(&sum), S_OK);
        EXPECT_EQ(sum, -1.0);
        EXPECT_EQ(object->GetReceiptPay(&pay), S_OK);
        EXPECT_EQ(pay, -1.0);
        EXPECT_EQ(OperationState(), -2);
    }
}

TEST_F(ReceiptTest, NumbRecReadsTheNumberWhateverTheBits) {
    Open();
    int number = 0;
    printer.replies[113] = {"123", FakePrinter::Status({{1, 0x02}})};
    State().OperationState = 99;
    EXPECT_EQ(object->get_NumbRec(&number), S_OK);
    EXPECT_EQ(number, 123);
    EXPECT_EQ(State().OperationState, 99);
    EXPECT_EQ(Error(), 7);
    EXPECT_EQ(printer.sent, (std::vector<SentCommand>{kStatusW, {113, ""}}));

    for (const ScriptedReply& r : {ScriptedReply{""}, ScriptedReply{"", {}, true}}) {
        printer.replies[113] = r;
        EXPECT_EQ(object->get_NumbRec(&number), S_OK);
        EXPECT_EQ(number, -1);
        EXPECT_EQ(OperationState(), -2);
    }
}

TEST_F(ReceiptTest, ReceiptKindFromTheStatusBits) {
    const struct {
        const char* name;
        std::vector<std::uint8_t> status;
        LONG kind;
        LONG operationState;
    } cases[] = {
        {"none", FakePrinter::Status({}), 0, 0},
        {"sale", FakePrinter::Status({{2, 0x08}}), 1, 0},
        {"refund", FakePrinter::Status({{2, 0x08}, {1, 0x08}}), 2, 0},
        {"refund bit alone", FakePrinter::Status({{1, 0x08}}), 0, 0},
        {"non-fiscal wins", FakePrinter::Status({{2, 0x28}, {1, 0x08}}), 3, 0},
        {"failure", FakePrinter::Status({{2, 0x08}, {0, 0x02}}), -1, -2},
    };
    Open();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        printer.replies[74] = {"", c.status};
        printer.sent.clear();
        LONG kind = 7;
        EXPECT_EQ(object->get_Receipt(&kind), S_OK);
        EXPECT_EQ(kind, c.kind);
        EXPECT_EQ(OperationState(), c.operationState);
        EXPECT_EQ(printer.sent, (std::vector<SentCommand>{kStatusW, kStatusX}));
    }
}

}  // namespace
