// The command wrappers, driven through a device link on the test double:
// each request frame written is decoded back into its command byte and data
// field.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "commands/commands.h"
#include "devicelink/device_link.h"
#include "tests/support/fake_port.h"

using namespace commands;
using devicelink::DeviceLink;
using devicelink::kSendDataTooLong;
using devicelink::kSendDone;
using devicelink::kSendNotReady;
using devicelink::RetData;
using devicelink::ScopedDeviceLink;
using testing_support::FakePorts;
using testing_support::Hex;

namespace {

int g_completions = 0;
void Count(RetData&) { ++g_completions; }

using namespace std::string_literals;

struct Case {
    const char* what;
    int (*call)();
    int code;          // command byte expected on the line
    std::string data;  // data field expected on the line
    int result;        // kSendDone, or the wrapper's rejection (nothing sent)
};

constexpr int kNone = 0;  // the code of a rejected call, never compared

// Windows-1251 bytes, as the automation object hands texts over.
const char kTaxA[] = "\xC0";
const char kIvanov[] = "\xC8\xE2\xE0\xED\xEE\xE2";

const Case kCases[] = {
    {"ClearDisplay", [] { return CmdClearDisplay(&Count, 0); }, 33, "", kSendDone},
    {"DisplayLower", [] { return CmdDisplayLower(&Count, 0, "Hello"); }, 35, "Hello", kSendDone},
    {"DisplayLower null", [] { return CmdDisplayLower(&Count, 0, nullptr); }, 35, "", kSendDone},
    {"ReadNetParams", [] { return CmdReadNetParams(&Count, 0); }, 37, "", kSendDone},
    {"OpenNonFiscal", [] { return CmdOpenNonFiscal(&Count, 0); }, 38, "", kSendDone},
    {"CloseNonFiscal", [] { return CmdCloseNonFiscal(&Count, 0); }, 39, "", kSendDone},
    {"PrintNonFiscal", [] { return CmdPrintNonFiscal(&Count, 0, kIvanov); }, 42, kIvanov,
     kSendDone},
    {"CutReceipt", [] { return CmdCutReceipt(&Count, 0); }, 45, "", kSendDone},
    {"DisplayUpper", [] { return CmdDisplayUpper(&Count, 0, "Up, up"); }, 47, "Up, up",
     kSendDone},
    {"OpenFiscal 1/2", [] { return CmdOpenFiscal(&Count, 0, 1, "0000", 2); }, 48,
     "00001,0000,00002,I", kSendDone},
    {"OpenFiscal wide numbers", [] { return CmdOpenFiscal(&Count, 0, 123456, "", 99999); }, 48,
     "123456,,99999,I", kSendDone},
    {"OpenFiscal negative operator", [] { return CmdOpenFiscal(&Count, 0, -1, "pw", 0); }, 48,
     "4294967295,pw,00000,I", kSendDone},
    {"OpenRefund", [] { return CmdOpenRefund(&Count, 0, 3, nullptr, 7); }, 85, "00003,,00007,I",
     kSendDone},
    {"Subtotal amount", [] { return CmdSubtotal(&Count, 0, 1, 0, 0, 10); }, 51, "10;10.00",
     kSendDone},
    {"Subtotal percentage", [] { return CmdSubtotal(&Count, 0, 0, 7, -5, 0); }, 51, "01,-5.00",
     kSendDone},
    {"Subtotal flags only", [] { return CmdSubtotal(&Count, 0, 2, 1, 0, 0); }, 51, "11",
     kSendDone},
    {"Subtotal both", [] { return CmdSubtotal(&Count, 0, 1, 1, 5, 1); }, kNone, "", kRejected},
    {"Sale example", [] { return CmdSale(&Count, 0, 1, 12, 2, -5, 0); }, 58, "12*2.000,-5.00",
     kSendDone},
    {"Sale negative, bare", [] { return CmdSale(&Count, 0, 0, 7, 0, 0, 0); }, 58, "-7",
     kSendDone},
    {"Sale amount", [] { return CmdSale(&Count, 0, 1, 3, 1.5, 0, 2.5); }, 58, "3*1.500;2.50",
     kSendDone},
    {"Sale percentage 99.99", [] { return CmdSale(&Count, 0, 1, 1, 1, 99.99, 0); }, 58,
     "1*1.000,99.99", kSendDone},
    {"Sale percentage -99.99", [] { return CmdSale(&Count, 0, 1, 1, 0.25, -99.99, 0); }, 58,
     "1*0.250,-99.99", kSendDone},
    {"Sale percentage and amount", [] { return CmdSale(&Count, 0, 1, 1, 1, 5, 1); }, kNone, "",
     kRejected},
    {"Sale quantity -1", [] { return CmdSale(&Count, 0, 1, 1, -1, 0, 0); }, kNone, "",
     kRejected},
    {"Sale percentage 150", [] { return CmdSale(&Count, 0, 1, 1, 1, 150, 0); }, kNone, "",
     kRejected},
    {"Sale percentage -100", [] { return CmdSale(&Count, 0, 1, 1, 1, -100, 0); }, kNone, "",
     kRejected},
    {"Sale percentage 99.991", [] { return CmdSale(&Count, 0, 1, 1, 1, 99.991, 0); }, kNone, "",
     kRejected},
    {"SaleDisplay", [] { return CmdSaleDisplay(&Count, 0, 1, 12, 2, -5, 0); }, 52,
     "12*2.000,-5.00", kSendDone},
    {"SaleDisplay both", [] { return CmdSaleDisplay(&Count, 0, 1, 12, 2, -5, 3); }, kNone, "",
     kRejected},
    {"Total 0", [] { return CmdTotal(&Count, 0, 'P', 0); }, 53, "\tP0.00", kSendDone},
    {"Total", [] { return CmdTotal(&Count, 0, 'C', 1234.5); }, 53, "\tC1234.50", kSendDone},
    {"PrintFiscalText", [] { return CmdPrintFiscalText(&Count, 0, "Thanks"); }, 54, "Thanks",
     kSendDone},
    {"CloseFiscal", [] { return CmdCloseFiscal(&Count, 0); }, 56, "", kSendDone},
    {"CancelReceipt", [] { return CmdCancelReceipt(&Count, 0); }, 57, "", kSendDone},
    {"SetDateTime", [] { return CmdSetDateTime(&Count, 0, "11-12-26", "13:05:00"); }, 61,
     "11-12-26 13:05:00", kSendDone},
    {"GetDateTime", [] { return CmdGetDateTime(&Count, 0); }, 62, "", kSendDone},
    {"ShowDateTime", [] { return CmdShowDateTime(&Count, 0); }, 63, "", kSendDone},
    {"DayReport Z", [] { return CmdDayReport(&Count, 0, "0000", '0'); }, 69, "0000,0",
     kSendDone},
    {"DayReport X", [] { return CmdDayReport(&Count, 0, "9", '2'); }, 69, "9,2", kSendDone},
    {"ServiceCash 0 reads", [] { return CmdServiceCash(&Count, 0, 0); }, 70, "", kSendDone},
    {"ServiceCash -0 reads", [] { return CmdServiceCash(&Count, 0, -0.0); }, 70, "", kSendDone},
    {"ServiceCash in", [] { return CmdServiceCash(&Count, 0, 150); }, 70, "150.00", kSendDone},
    {"ServiceCash out", [] { return CmdServiceCash(&Count, 0, -25.5); }, 70, "-25.50",
     kSendDone},
    {"FullReportByNumber", [] { return CmdFullReportByNumber(&Count, 0, "pw", 1, 12); }, 73,
     "pw,0001,0012", kSendDone},
    {"ShortReportByNumber", [] { return CmdShortReportByNumber(&Count, 0, "pw", -1, 12345); },
     95, "pw,-001,12345", kSendDone},
    {"GetStatus W", [] { return CmdGetStatus(&Count, 0, 0); }, 74, "W", kSendDone},
    {"GetStatus X", [] { return CmdGetStatus(&Count, 0, -1); }, 74, "X", kSendDone},
    {"TransactionStatus T", [] { return CmdTransactionStatus(&Count, 0, 1); }, 76, "T",
     kSendDone},
    {"TransactionStatus empty", [] { return CmdTransactionStatus(&Count, 0, 0); }, 76, "",
     kSendDone},
    {"ShortReportByDate", [] { return CmdShortReportByDate(&Count, 0, "pw", "0101", "311226"); },
     79, "pw,0101,311226", kSendDone},
    {"FullReportByDate pads",
     [] { return CmdFullReportByDate(&Count, 0, "pw", "0101", "311226"); }, 94,
     "pw,  0101,311226", kSendDone},
    {"FullReportByDate never cuts",
     [] { return CmdFullReportByDate(&Count, 0, nullptr, "01012026", nullptr); }, 94,
     ",01012026,      ", kSendDone},
    {"Barcode 2", [] { return CmdBarcode(&Count, 0, 2, "4820000"); }, 88, "24820000",
     kSendDone},
    {"Barcode 258", [] { return CmdBarcode(&Count, 0, 258, "x"); }, 88, "2x", kSendDone},
    {"Barcode -1", [] { return CmdBarcode(&Count, 0, -1, "x"); }, 88, "/x", kSendDone},
    {"Diagnostics 0", [] { return CmdDiagnostics(&Count, 0, 0); }, 90, "0", kSendDone},
    {"Diagnostics 1", [] { return CmdDiagnostics(&Count, 0, 1); }, 90, "1", kSendDone},
    {"SetOperatorPassword", [] { return CmdSetOperatorPassword(&Count, 0, 3, "old", "new"); },
     101, "3,old,new", kSendDone},
    {"SetOperatorName", [] { return CmdSetOperatorName(&Count, 0, 12, "pw", kIvanov); }, 102,
     "12,pw,"s + kIvanov, kSendDone},
    {"OpenDrawer 4", [] { return CmdOpenDrawer(&Count, 0, 4); }, 106, "", kSendDone},
    {"OpenDrawer -3", [] { return CmdOpenDrawer(&Count, 0, -3); }, 106, "", kSendDone},
    {"OpenDrawer 5", [] { return CmdOpenDrawer(&Count, 0, 5); }, 106, "5", kSendDone},
    {"ArticleProgram",
     [] { return CmdArticleProgram(&Count, 0, kTaxA[0], 5, 1, 12.5, "pw", "Bread"); }, 107,
     "P"s + kTaxA + "5,1,12.50,pw,Bread", kSendDone},
    {"ArticleProgram tax C4h group 99",
     [] { return CmdArticleProgram(&Count, 0, '\xC4', 1, 99, 0.01, "", nullptr); }, 107,
     "P\xC4" "1,99,0.01,,", kSendDone},
    {"ArticleProgram article 0 before all else",
     [] {
         return CmdArticleProgram(&Count, 0, 'A', 0, 100,
                                  std::numeric_limits<double>::quiet_NaN(), "", "");
     },
     kNone, "", kRejected},
    {"ArticleProgram tax 41h", [] { return CmdArticleProgram(&Count, 0, 'A', 1, 100, 0, "", ""); },
     kNone, "", kRejectedTaxLetter},
    {"ArticleProgram tax C5h", [] { return CmdArticleProgram(&Count, 0, '\xC5', 1, 1, 1, "", ""); },
     kNone, "", kRejectedTaxLetter},
    {"ArticleProgram tax BFh", [] { return CmdArticleProgram(&Count, 0, '\xBF', 1, 1, 1, "", ""); },
     kNone, "", kRejectedTaxLetter},
    {"ArticleProgram group 100",
     [] { return CmdArticleProgram(&Count, 0, '\xC1', 1, 100, 0, "", ""); }, kNone, "",
     kRejectedGroup},
    {"ArticleProgram group -1",
     [] { return CmdArticleProgram(&Count, 0, '\xC1', 1, -1, 1, "", ""); }, kNone, "",
     kRejectedGroup},
    {"ArticleProgram price 0", [] { return CmdArticleProgram(&Count, 0, '\xC2', 1, 0, 0, "", ""); },
     kNone, "", kRejectedPrice},
    {"ArticleProgram price -1",
     [] { return CmdArticleProgram(&Count, 0, '\xC3', 1, 0, -1, "", ""); }, kNone, "",
     kRejectedPrice},
    {"ArticleDelete all", [] { return CmdArticleDelete(&Count, 0, 0, "pw"); }, 107, "DA,pw",
     kSendDone},
    {"ArticleDelete 5", [] { return CmdArticleDelete(&Count, 0, 5, "pw"); }, 107, "D5,pw",
     kSendDone},
    {"ArticleDelete -1", [] { return CmdArticleDelete(&Count, 0, -1, "pw"); }, kNone, "",
     kRejected},
    {"ArticlePrice", [] { return CmdArticlePrice(&Count, 0, 5, 3.5, "pw"); }, 107, "C5,3.50,pw",
     kSendDone},
    {"ArticlePrice article 0", [] { return CmdArticlePrice(&Count, 0, 0, 3.5, "pw"); }, kNone,
     "", kRejected},
    {"ArticleRead 0", [] { return CmdArticleRead(&Count, 0, 0); }, 107, "R0", kSendDone},
    {"ArticleRead 17", [] { return CmdArticleRead(&Count, 0, 17); }, 107, "R17", kSendDone},
    {"ArticleRead -1", [] { return CmdArticleRead(&Count, 0, -1); }, kNone, "", kRejected},
    {"ArticleFirst", [] { return CmdArticleFirst(&Count, 0); }, 107, "F", kSendDone},
    {"ArticleNext", [] { return CmdArticleNext(&Count, 0); }, 107, "N", kSendDone},
    {"ReceiptCopy 300", [] { return CmdReceiptCopy(&Count, 0, 300); }, 109, "44", kSendDone},
    {"ReceiptCopy 200", [] { return CmdReceiptCopy(&Count, 0, 200); }, 109, "-56", kSendDone},
    {"ReceiptCopy -1", [] { return CmdReceiptCopy(&Count, 0, -1); }, 109, "-1", kSendDone},
    {"ArticlesReport S", [] { return CmdArticlesReport(&Count, 0, "pw", 'S'); }, 111, "pw,S",
     kSendDone},
    {"ArticlesReport G", [] { return CmdArticlesReport(&Count, 0, "pw", 'G'); }, 111, "pw,G",
     kSendDone},
    {"ArticlesReport s", [] { return CmdArticlesReport(&Count, 0, "pw", 's'); }, kNone, "",
     kRejected},
    {"ArticlesReport X", [] { return CmdArticlesReport(&Count, 0, "pw", 'X'); }, kNone, "",
     kRejected},
    {"LastReceiptNumber", [] { return CmdLastReceiptNumber(&Count, 0); }, 113, "", kSendDone},
    {"JournalCopy", [] { return CmdJournalCopy(&Count, 0, 42); }, 116, "42", kSendDone},
    {"ClearOperatorPasswords 0", [] { return CmdClearOperatorPasswords(&Count, 0, 0, "a"); },
     kNone, "", kRejected},
    {"ClearOperatorPasswords 16", [] { return CmdClearOperatorPasswords(&Count, 0, 16, "a"); },
     kNone, "", kRejected},
    {"ClearOperatorPasswords 15", [] { return CmdClearOperatorPasswords(&Count, 0, 15, "adm"); },
     119, "15,adm", kSendDone},
    {"ClearOperatorPasswords 1", [] { return CmdClearOperatorPasswords(&Count, 0, 1, nullptr); },
     119, "1,", kSendDone},
    {"PaymentWithCode", [] { return CmdPaymentWithCode(&Count, 0, 2, 10.5, "TX123"); }, 120,
     "2,10.50,TX123", kSendDone},
    {"JournalCopies", [] { return CmdJournalCopies(&Count, 0, 3, 7); }, 235, "3,7", kSendDone},
    {"JournalTaxReport", [] { return CmdJournalTaxReport(&Count, 0, 9); }, 236, "9", kSendDone},
    {"DeviceId", [] { return CmdDeviceId(&Count, 0); }, 255, "", kSendDone},
};

struct Request {
    int code = -1;
    std::string data;
};

// A link on the test double, made the process's device link. The double
// stays silent, so every exchange ends at once as no reply.
class CatalogueTest : public ::testing::Test {
protected:
    void SetUp() override { g_completions = 0; }
    void Open() { ASSERT_NE(link.OpenPort(1, 115200), devicelink::kInvalidPort); }

    // Decodes the frames written since the last call.
    std::vector<Request> Written() {
        std::vector<Request> out;
        for (const auto& f : ports.line->frames) {
            const std::size_t n = f.size() - 10;
            EXPECT_TRUE(f.size() >= 10 && f[0] == 0x01 && f[1] == 0x24 + n &&
                        f[4 + n] == 0x05 && f.back() == 0x03)
                << "not a request frame: " << Hex(f);
            out.push_back({f[3], std::string(f.begin() + 4, f.begin() + 4 + n)});
        }
        ports.line->frames.clear();
        return out;
    }

    FakePorts ports;
    DeviceLink link{ports};
    ScopedDeviceLink scope{link};
};

std::string Shown(const std::string& data) {
    return "\"" + data + "\" (" + Hex({data.begin(), data.end()}) + ")";
}

void ExpectSent(const std::vector<Request>& written, int code, const std::string& data) {
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].code, code);
    EXPECT_EQ(written[0].data, data) << "got " << Shown(written[0].data) << ", want "
                                     << Shown(data);
}

TEST_F(CatalogueTest, ComposesEveryCommandOrRejectsItsInputs) {
    Open();
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        g_completions = 0;
        EXPECT_EQ(c.call(), c.result);
        const std::vector<Request> written = Written();
        if (c.result == kSendDone) {
            ExpectSent(written, c.code, c.data);
            EXPECT_EQ(g_completions, 1);
        } else {
            EXPECT_TRUE(written.empty()) << "sent " << Shown(written[0].data);
            EXPECT_EQ(g_completions, 0);
        }
    }
}

TEST_F(CatalogueTest, NothingIsSentWhileTheLinkIsNotReady) {
    // No OpenPort: inputs a wrapper rejects are still rejected first, every
    // other call meets the link's -10.
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.call(), c.result == kSendDone ? kSendNotReady : c.result);
    }
    EXPECT_TRUE(ports.line->frames.empty()) << Hex(ports.line->written);
    EXPECT_EQ(g_completions, 0);
    EXPECT_EQ(link.SequenceCounter(), 0);
}

TEST_F(CatalogueTest, NonFiniteNumbersAreRejected) {
    struct NumberCase {
        const char* what;
        int (*call)(double);
        int result;
    };
    const NumberCase cases[] = {
        {"Sale quantity", [](double v) { return CmdSale(&Count, 0, 1, 1, v, 0, 0); }, kRejected},
        {"Sale percentage", [](double v) { return CmdSale(&Count, 0, 1, 1, 1, v, 0); },
         kRejected},
        {"Sale amount", [](double v) { return CmdSale(&Count, 0, 1, 1, 1, 0, v); }, kRejected},
        {"SaleDisplay quantity", [](double v) { return CmdSaleDisplay(&Count, 0, 1, 1, v, 0, 0); },
         kRejected},
        {"Subtotal percentage", [](double v) { return CmdSubtotal(&Count, 0, 1, 1, v, 0); },
         kRejected},
        {"Subtotal amount", [](double v) { return CmdSubtotal(&Count, 0, 1, 1, 0, v); },
         kRejected},
        {"Total", [](double v) { return CmdTotal(&Count, 0, 'P', v); }, kRejected},
        {"PaymentWithCode", [](double v) { return CmdPaymentWithCode(&Count, 0, 0, v, "c"); },
         kRejected},
        {"ServiceCash", [](double v) { return CmdServiceCash(&Count, 0, v); }, kRejected},
        {"ArticleProgram price",
         [](double v) { return CmdArticleProgram(&Count, 0, '\xC0', 1, 1, v, "", ""); },
         kRejectedPrice},
        {"ArticlePrice price", [](double v) { return CmdArticlePrice(&Count, 0, 1, v, ""); },
         kRejected},
    };
    const double values[] = {std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity()};
    Open();
    for (const NumberCase& c : cases) {
        for (double v : values) {
            SCOPED_TRACE(std::string(c.what) + " " + std::to_string(v));
            EXPECT_EQ(c.call(v), c.result);
        }
    }
    EXPECT_TRUE(Written().empty());
    EXPECT_EQ(g_completions, 0);
}

TEST_F(CatalogueTest, FieldsLongerThanAFrameHoldsAreRefusedWhole) {
    const std::string longest(85, 'a');
    const std::string name80(80, 'n');  // "3,pw," + 80 = 85 bytes
    const std::string huge(1000, 'h');
    Open();

    EXPECT_EQ(CmdPrintNonFiscal(&Count, 0, longest.c_str()), kSendDone);
    ExpectSent(Written(), 42, longest);
    EXPECT_EQ(CmdSetOperatorName(&Count, 0, 3, "pw", name80.c_str()), kSendDone);
    ExpectSent(Written(), 102, "3,pw," + name80);

    struct Refused {
        const char* what;
        int result;
    };
    const Refused refused[] = {
        {"text of 86", CmdPrintNonFiscal(&Count, 0, (longest + "a").c_str())},
        {"composed field of 86", CmdSetOperatorName(&Count, 0, 3, "pw", (name80 + "n").c_str())},
        {"composed field past the buffer", CmdSetOperatorName(&Count, 0, 3, huge.c_str(), "")},
        {"text after a number past the buffer",
         CmdArticlePrice(&Count, 0, 1, 1, huge.c_str())},
        {"amount making a field of 86", CmdTotal(&Count, 0, 'P', 1e80)},
        {"amount past the buffer", CmdServiceCash(&Count, 0, -1e300)},
        {"quantity past the buffer", CmdSale(&Count, 0, 1, 1, 1e300, 0, 0)},
    };
    for (const Refused& r : refused) EXPECT_EQ(r.result, kSendDataTooLong) << r.what;
    EXPECT_TRUE(Written().empty());
    EXPECT_EQ(g_completions, 2);
}

TEST_F(CatalogueTest, FieldPastTheBufferMeetsTheLinkReadinessFirst) {
    const std::string huge(1000, 'h');
    EXPECT_EQ(CmdSetOperatorName(&Count, 0, 3, huge.c_str(), ""), kSendNotReady);
    EXPECT_TRUE(ports.line->frames.empty());
}

// Restores the "C" locale however the test ends.
struct CommaLocale {
    const char* name = nullptr;
    CommaLocale() {
        for (const char* candidate : {"ru_RU.UTF-8", "de_DE.UTF-8", "Russian_Russia.1251",
                                      "German_Germany.1252", "ru_RU.utf8", "de_DE.utf8"}) {
            if (!std::setlocale(LC_ALL, candidate)) continue;
            char probe[16];
            std::snprintf(probe, sizeof probe, "%.2f", 1.5);
            if (std::string(probe) == "1,50") {
                name = candidate;
                return;
            }
        }
        std::setlocale(LC_ALL, "C");
    }
    ~CommaLocale() { std::setlocale(LC_ALL, "C"); }
};

TEST_F(CatalogueTest, NumbersKeepTheDecimalPointInACommaLocale) {
    CommaLocale locale;
    if (!locale.name)
        GTEST_SKIP() << "no locale with a decimal comma is installed here "
                        "(generate ru_RU.UTF-8 to run this test)";
    Open();
    EXPECT_EQ(CmdSale(&Count, 0, 1, 12, 2, -5, 0), kSendDone);
    ExpectSent(Written(), 58, "12*2.000,-5.00");
    EXPECT_EQ(CmdTotal(&Count, 0, 'N', 1.5), kSendDone);
    ExpectSent(Written(), 53, "\tN1.50");
    EXPECT_EQ(CmdArticleProgram(&Count, 0, '\xC0', 5, 1, 12.5, "pw", "x"), kSendDone);
    ExpectSent(Written(), 107, "P\xC0" "5,1,12.50,pw,x");
    EXPECT_EQ(CmdPaymentWithCode(&Count, 0, 1, 0.25, "t"), kSendDone);
    ExpectSent(Written(), 120, "1,0.25,t");
    std::printf("comma locale used: %s\n", locale.name);
}

}  // namespace
