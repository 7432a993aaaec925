// The virtual printer's engine: request frames in, reply frames, status
// words and journal lines out, on a virtual clock.
#include <cstdio>
#include <filesystem>

#include <unistd.h>

#include "simulator/state_file.h"
#include "tests/simulator/printer_fixture.h"

using namespace simtest;

namespace {

const char kTaxA = '\xC0';  // А
const char kTaxB = '\xC1';  // Б

constexpr std::uint32_t kGeneralError = 0x08000000;
constexpr std::uint32_t kSyntaxError = 0x00000001;
constexpr std::uint32_t kInvalidCommand = 0x00000002;
constexpr std::uint32_t kClockNotSet = 0x00000004;
constexpr std::uint32_t kNotAllowed = 0x00000020;
constexpr std::uint32_t kWrongPassword = 0x00000040;
constexpr std::uint32_t kRefundOpen = 0x00000080;
constexpr std::uint32_t kUnknownArticle = 0x00000100;
constexpr std::uint32_t kPaperOut = 0x00000200;
constexpr std::uint32_t kFiscalOpen = 0x00000400;
constexpr std::uint32_t kNonFiscalOpen = 0x00000800;
constexpr std::uint32_t kReceiptPaid = 0x00001000;
constexpr std::uint32_t kMechanismError = 0x00000008;

std::vector<std::uint8_t> Frame(std::uint8_t seq, std::uint8_t cmd, const std::string& data) {
    std::vector<std::uint8_t> f(devicelink::kMaxRequestFrame);
    f.resize(devicelink::BuildRequestFrame(seq, cmd, data, f.data(), f.size()));
    return f;
}

class EngineTest : public PrinterTest {};

TEST_F(EngineTest, StatusReplyEchoesSeqAndCommandWithStatusBitSeven) {
    const Answer a = SendWithSeq(0x21, 74, "X");
    ASSERT_TRUE(a.Framed) << a.Hex();
    EXPECT_EQ(a.Seq, 0x21);
    EXPECT_EQ(a.Command, 74);
    EXPECT_EQ(a.Data, "");
    for (std::uint8_t s : a.Status) EXPECT_TRUE(s & 0x80) << a.Hex();
    EXPECT_EQ(a.Status[3], 0x80) << a.Hex();
    // Fiscalised, numbers and tax rates set: information only.
    EXPECT_EQ(a.Word, 0x00E00000u) << std::hex << a.Word;
    EXPECT_EQ(a.Waits, 0);
}

TEST_F(EngineTest, BrokenRequestsGetNakAndTheNextFrameIsServed) {
    std::vector<std::uint8_t> badSum = Frame(0x22, 74, "W");
    badSum[badSum.size() - 2] ^= 1;
    std::vector<std::uint8_t> badEnd = Frame(0x23, 74, "W");
    badEnd.back() = 0x04;
    std::vector<std::uint8_t> noPostamble = Frame(0x24, 74, "W");
    noPostamble[5] = 0x06;
    const std::vector<std::uint8_t> shortLen{0x01, 0x23, 0x21, 0x4A, 0x05, 0x30, 0x30, 0x30, 0x30, 0x03};
    const std::vector<std::uint8_t> longLen{0x01, 0x24 + 86, 0x21, 0x4A};
    for (const auto& bytes : {badSum, badEnd, noPostamble, shortLen, longLen}) {
        const Answer a = Raw(bytes);
        EXPECT_EQ(a.Hex(), "15") << "request " << testing_support::Hex(bytes);
        EXPECT_TRUE(Send(74, "W").Framed) << "after " << testing_support::Hex(bytes);
    }
}

TEST_F(EngineTest, LongGarbageNeverOverflowsAndServiceGoesOn) {
    std::vector<std::uint8_t> junk;
    for (int i = 0; i < 20000; ++i) junk.push_back(static_cast<std::uint8_t>(i * 37 % 251));
    for (int i = 0; i < 300; ++i) junk.push_back(i % 7 == 0 ? 0x01 : 0xFF);
    const Answer garbage = Raw(junk);
    for (std::uint8_t b : garbage.Bytes) EXPECT_EQ(b, 0x15) << garbage.Hex();
    // A frame cut off by silence is dropped, not joined to the next one.
    Raw({0x01, 0x30, 0x21});
    clock.Advance(simulator::Engine::kInterByteTimeout + 1);
    EXPECT_TRUE(Send(74, "W").Framed);
}

TEST_F(EngineTest, SaleReceiptWithAdjustmentsPaymentsAndChange) {
    ProgramArticle(1, kTaxA, 1, "12.50", "Bread");
    ProgramArticle(2, kTaxB, 2, "8.40", "Milk");
    OpenReceipt();
    EXPECT_EQ(Ok(58, "1*2.000"), "2500,2500");
    EXPECT_EQ(Ok(52, "2,-10.00"), "756,3256");  // 8.40 less 10 %
    EXPECT_TRUE(JournalHas("[display upper: Milk]"));
    // 1.00 off, shared between the tax groups in proportion.
    EXPECT_EQ(Ok(51, "11;-1.00"), "3156,-100");
    EXPECT_EQ(Ok(76, "T"), "1,2,3156,0");
    EXPECT_EQ(Ok(53, "\tN10.00"), "D2156");
    const Answer cash = Send(53, "\tP50.00");
    EXPECT_EQ(cash.Data, "R2844");
    EXPECT_EQ(cash.Word & (kFiscalOpen | kReceiptPaid), kFiscalOpen | kReceiptPaid)
        << std::hex << cash.Word;
    EXPECT_EQ(Ok(76, ""), "1,2,3156,6000");
    EXPECT_EQ(Ok(56), "1");

    EXPECT_EQ(Send(74, "X").Word & (kFiscalOpen | kReceiptPaid), 0u);
    EXPECT_EQ(Ok(113), "1");
    EXPECT_EQ(Ok(65, "0"), "2423,733,0,0,0");
    EXPECT_EQ(Ok(65, "2"), "2156,1000,0,0");  // cash less change, card
    EXPECT_EQ(Ok(70), "2156,0,0");
    for (const char* line : {"Bread", "  2.000 x 12.50", "SUBTOTAL", "CARD", "CHANGE",
                             "28.44", "FISCAL No 000001"})
        EXPECT_TRUE(JournalHas(line)) << line;
}

TEST_F(EngineTest, CorrectionsAndPaymentTypesWithCode) {
    ProgramArticle(1, kTaxA, 1, "12.50", "Bread");
    OpenReceipt();
    Ok(58, "1*3.000");
    EXPECT_EQ(Ok(58, "-1*1.000"), "-1250,2500");
    EXPECT_EQ(Send(58, "-1*5.000").Word & kNotAllowed, kNotAllowed);  // more than sold
    EXPECT_EQ(Ok(120, "2,25.00,TX-7781"), "R,0");
    EXPECT_TRUE(JournalHas("TRANSACTION TX-7781"));
    Ok(56);
    EXPECT_EQ(Ok(65, "2"), "0,0,2500,0");
}

TEST_F(EngineTest, CommandsOutOfPlaceAreRefusedWithTheirBit) {
    ProgramArticle(1, kTaxA, 1, "1.00", "Salt");
    struct Case {
        bool inReceipt;
        std::uint8_t cmd;
        const char* data;
        std::uint32_t bit;
    };
    const Case cases[] = {
        {false, 58, "1", kNotAllowed},
        {false, 53, "\tP1.00", kNotAllowed},
        {false, 56, "", kNotAllowed},
        {false, 42, "text", kNotAllowed},
        {false, 200, "", kInvalidCommand},
        {false, 48, "00001,1234,00001,I", kWrongPassword},
        {false, 48, "00017,0000,00001,I", kSyntaxError},
        {false, 69, "9999,2", kWrongPassword},
        {false, 69, "0000,7", kSyntaxError},
        {false, 58, "abc", kNotAllowed},
        {true, 58, "99", kUnknownArticle},
        {true, 58, "1*2.0001", kSyntaxError},
        {true, 58, "1,5.00;1.00", kSyntaxError},
        {true, 56, "", kNotAllowed},
        {true, 48, "00001,0000,00001,I", kNotAllowed},
        {true, 69, "0000,2", kNotAllowed},
        {true, 53, "\tN5.00", kNotAllowed},  // a card pays no more than is due
        {true, 53, "P1.00", kSyntaxError},
        {true, 61, "07-04-18 10:00:00", kNotAllowed},
    };
    for (const Case& c : cases) {
        if (c.inReceipt) {
            OpenReceipt();
            Ok(58, "1");
        }
        const Answer a = Send(c.cmd, c.data);
        EXPECT_TRUE(a.Framed) << a.Hex();
        EXPECT_EQ(a.Word & 0x0F0F237F, c.bit | kGeneralError)
            << "command " << int{c.cmd} << " \"" << c.data << "\" status word 0x" << std::hex
            << a.Word;
        if (c.inReceipt) Ok(57);
    }
}

TEST_F(EngineTest, RefundReceiptAndCancel) {
    ProgramArticle(3, kTaxA, 1, "4.00", "Soap");
    OpenReceipt(85);
    EXPECT_EQ(Send(74, "X").Word & (kFiscalOpen | kRefundOpen), kFiscalOpen | kRefundOpen);
    Ok(58, "3*2.000");
    Ok(53, "\tP0.00");  // 0.00 pays the rest
    Ok(56);
    EXPECT_EQ(Ok(65, "1"), "800,0,0,0,0");
    EXPECT_TRUE(JournalHas("REFUND RECEIPT"));

    OpenReceipt();
    Ok(58, "3");
    Ok(57);
    EXPECT_TRUE(JournalHas("*** CANCELLED ***"));
    EXPECT_EQ(Ok(65, "0"), "0,0,0,0,0");
    EXPECT_EQ(Ok(65, "3"), "0,1,1,0");
    EXPECT_EQ(Send(57).Word & kNotAllowed, kNotAllowed);
}

TEST_F(EngineTest, NonFiscalReceiptPrintsWindows1251TextAsUtf8) {
    Ok(38);
    EXPECT_EQ(Send(74, "X").Word & kNonFiscalOpen, kNonFiscalOpen);
    Ok(42, "\xCF\xF0\xE8\xE2\xE5\xF2 \xB9 5");  // Привет № 5
    Ok(39);
    EXPECT_TRUE(JournalHas("Привет № 5"));
    EXPECT_EQ(Send(74, "X").Word & kNonFiscalOpen, 0u);
}

TEST_F(EngineTest, XAndZReportsSendWaitBytesAndZClosesTheDay) {
    ProgramArticle(1, kTaxA, 1, "10.00", "Tea");
    OpenReceipt();
    Ok(58, "1");
    Ok(53, "\tP10.00");
    Ok(56);

    const Answer x = Send(69, "0000,2");
    EXPECT_TRUE(x.Framed);
    EXPECT_EQ(x.Data, "1,1000,0");
    EXPECT_GE(x.Waits, 10);
    EXPECT_TRUE(JournalHas("X REPORT"));

    const Answer z = Send(69, "0000,0");
    EXPECT_TRUE(z.Framed && !z.Failed()) << z.Hex();
    EXPECT_EQ(z.Data, "1,1000,0");
    // 16h about every 60 ms through the two seconds of the report.
    EXPECT_GE(z.Waits, 30) << z.Hex();
    EXPECT_GE(z.Micros, 2000000);
    EXPECT_TRUE(JournalHas("Z REPORT No 0001"));
    EXPECT_EQ(Ok(65, "0"), "0,0,0,0,0");
    EXPECT_EQ(Ok(70), "0,0,0");
    EXPECT_EQ(Ok(64, "0"), "1,06-04-18,1000,0,0,0,0");

    EXPECT_EQ(Ok(95, "0000,0001,0001"), "1");
    EXPECT_EQ(Ok(73, "0000,0002,0009"), "0");
    EXPECT_EQ(Ok(94, "0000,060418,070418"), "1");
    EXPECT_EQ(Ok(79, "0000,050418,050418"), "0");
    EXPECT_EQ(Send(73, "0000,0005,0001").Word & kSyntaxError, kSyntaxError);
    EXPECT_EQ(Send(79, "0000,320418,010518").Word & kSyntaxError, kSyntaxError);
    EXPECT_TRUE(JournalHas("NO RECORDS"));
}

TEST_F(EngineTest, ArticleTableProgramReadWalkChangeDelete) {
    ProgramArticle(14800, kTaxB, 99, "1.50", "Last\tslot");
    ProgramArticle(7, kTaxA, 3, "12.50", "\xD5\xEB\xE5\xE1");  // Хлеб

    // The slot read: letter, number, tax letter, group, price, day figures, name.
    const std::vector<std::string> f = Send(107, "R7").Fields();
    ASSERT_EQ(f.size(), 10u);
    EXPECT_EQ(f[0], "P");
    EXPECT_EQ(f[2], std::string(1, kTaxA));
    EXPECT_EQ(f[3], "3");
    EXPECT_EQ(f[4], "12.50");
    EXPECT_EQ(f[9], "\xD5\xEB\xE5\xE1");
    EXPECT_EQ(Ok(107, "R5"), "F,5");
    EXPECT_EQ(Send(107, "R0").Data, "F");

    EXPECT_EQ(Send(107, "F").Fields()[1], "7");
    EXPECT_EQ(Send(107, "N").Fields()[1], "14800");
    EXPECT_EQ(Send(107, "N").Data, "F");

    EXPECT_EQ(Ok(107, "C7,13.00,0000"), "P");
    EXPECT_EQ(Send(107, "R7").Fields()[4], "13.00");

    struct Refusal {
        const char* data;
        std::uint32_t bit;
    };
    const Refusal refusals[] = {
        {"P\x41" "8,1,1.00,0000,X", kSyntaxError},   // tax letter
        {"P\xC0" "8,100,1.00,0000,X", kSyntaxError}, // group
        {"P\xC0" "8,1,0.00,0000,X", kSyntaxError},   // price
        {"P\xC0" "14801,1,1.00,0000,X", kSyntaxError},
        {"P\xC0" "8,1,1.00,1111,X", kWrongPassword},
        {"C9,1.00,0000", kUnknownArticle},
        {"D9,0000", kUnknownArticle},
        {"X", kSyntaxError},
    };
    for (const Refusal& r : refusals) {
        const Answer a = Send(107, r.data);
        EXPECT_EQ(a.Data, "F") << r.data;
        EXPECT_EQ(a.Word & r.bit, r.bit) << r.data << std::hex << " 0x" << a.Word;
    }

    // An article sold today keeps its slot until the Z report.
    OpenReceipt();
    Ok(58, "7");
    Ok(53, "\tP0.00");
    Ok(56);
    EXPECT_EQ(Send(107, "D7,0000").Word & kNotAllowed, kNotAllowed);
    EXPECT_EQ(Send(107, "R7").Fields()[6], "1300");
    Ok(69, "0000,0");
    EXPECT_EQ(Ok(107, "D7,0000"), "P");
    EXPECT_EQ(Ok(107, "DA,0000"), "P");
    EXPECT_EQ(Send(107, "F").Data, "F");
}

TEST_F(EngineTest, OperatorsNamesAndPasswords) {
    EXPECT_EQ(Send(102, "3,1111,X").Word & kWrongPassword, kWrongPassword);
    Ok(102, "3,0000,\xC8\xE2\xE0\xED");  // Иван
    EXPECT_EQ(Send(101, "3,1234,5678").Word & kWrongPassword, kWrongPassword);
    EXPECT_EQ(Send(101, "3,0000,12a4").Word & kSyntaxError, kSyntaxError);
    Ok(101, "3,0000,5678");
    EXPECT_EQ(Send(48, "00003,0000,00002,I").Word & kWrongPassword, kWrongPassword);
    Ok(48, "00003,5678,00002,I");
    Ok(57);
    EXPECT_TRUE(JournalHas("Иван"));
    EXPECT_TRUE(JournalHas("TILL 00002"));
    EXPECT_EQ(Send(119, "3,9999").Word & kWrongPassword, kWrongPassword);
    Ok(119, "3,0000");
    Ok(48, "00003,0000,00002,I");
}

TEST_F(EngineTest, ClockReadSetAndNotSet) {
    EXPECT_EQ(Ok(62), "06-04-18 10:00:00");
    clock.Advance(61000000);
    EXPECT_EQ(Ok(62), "06-04-18 10:01:01");
    Ok(61, "07-04-18 12:30:00");
    EXPECT_EQ(Ok(62), "07-04-18 12:30:00");
    for (const char* bad : {"31-02-18 10:00:00", "07-04-18 24:00:00", "7-4-18 1:00", ""})
        EXPECT_EQ(Send(61, bad).Word & kSyntaxError, kSyntaxError) << bad;

    EXPECT_EQ(Control("clock reset"), "ok");
    EXPECT_EQ(Send(74, "W").Word & kClockNotSet, kClockNotSet);
    EXPECT_EQ(Send(48, "00001,0000,00001,I").Word & kClockNotSet, kClockNotSet);
    Ok(61, "08-04-18 09:00:00");
    OpenReceipt();
}

TEST_F(EngineTest, RepeatedSeqGetsTheLastReplyWithoutRunningTwice) {
    ProgramArticle(1, kTaxA, 1, "2.00", "Gum");
    OpenReceipt();
    const Answer first = SendWithSeq(0x40, 58, "1");
    const Answer again = SendWithSeq(0x40, 58, "1");
    EXPECT_EQ(again.Hex(), first.Hex());
    EXPECT_EQ(Ok(76), "1,1,200,0");

    // The retry of a reply that arrived damaged.
    EXPECT_EQ(Control("bad-checksum"), "ok");
    const Answer damaged = SendWithSeq(0x41, 58, "1");
    EXPECT_FALSE(damaged.Framed) << damaged.Hex();
    const Answer retry = SendWithSeq(0x41, 58, "1");
    EXPECT_TRUE(retry.Framed) << retry.Hex();
    EXPECT_EQ(retry.Data, "200,400");
    EXPECT_EQ(Ok(76), "1,2,400,0");
}

TEST_F(EngineTest, FaultsOnDemand) {
    struct Case {
        const char* command;
        const char* expect;  // what the answer must look like
    };
    const Case cases[] = {
        {"nak", "nak"},         {"bad-checksum", "checksum"}, {"early-end", "early"},
        {"junk", "junk"},       {"wait 300", "wait"},         {"status mechanism-error", "bits"},
        {"paper-out", "paper"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(Control(c.command), "ok") << c.command;
        const Answer a = Send(74, "W");
        const std::string what = c.expect;
        if (what == "nak") EXPECT_EQ(a.Hex(), "15");
        if (what == "checksum" || what == "early" || what == "junk") EXPECT_FALSE(a.Framed) << a.Hex();
        if (what == "checksum") EXPECT_EQ(a.Bytes.size(), devicelink::ReplyFrameSize(0));
        if (what == "early") {
            EXPECT_EQ(a.Bytes.back(), 0x03);
            EXPECT_EQ(a.Bytes.size(), devicelink::ReplyFrameSize(0) - 3);
        }
        if (what == "junk") EXPECT_NE(a.Bytes.back(), 0x03) << a.Hex();
        if (what == "wait") {
            EXPECT_TRUE(a.Framed);
            EXPECT_EQ(a.Waits, 4) << a.Hex();
        }
        if (what == "bits") EXPECT_EQ(a.Word & (kMechanismError | kGeneralError), kMechanismError | kGeneralError);
        if (what == "paper") {
            EXPECT_EQ(a.Word & kPaperOut, kPaperOut);
        }
        const Answer after = Send(74, "W");
        EXPECT_TRUE(after.Framed && !after.Failed()) << c.command << ": the fault outlived its count: " << after.Hex();
    }

    // A count covers that many requests; a refused printing command does
    // not run.
    ASSERT_EQ(Control("paper-out 2"), "ok");
    EXPECT_EQ(Send(38).Word & kPaperOut, kPaperOut);
    EXPECT_EQ(Send(74, "X").Word & kNonFiscalOpen, 0u);
    Ok(38);
    Ok(39);
    ASSERT_EQ(Control("nak 2"), "ok");
    EXPECT_EQ(Send(74, "W").Hex(), "15");
    EXPECT_EQ(Send(74, "W").Hex(), "15");
    Ok(74, "W");

    for (const char* bad : {"nak 0", "wait", "status", "status bogus", "flood", "nak 2 3"})
        EXPECT_EQ(Control(bad).rfind("error: ", 0), 0u) << bad;
}

TEST_F(EngineTest, PowerOffIsSilentAndPowerOnServesAgain) {
    ASSERT_EQ(Control("power off"), "ok");
    EXPECT_EQ(Send(74, "W").Bytes.size(), 0u);
    EXPECT_EQ(Raw({0x01, 0x02, 0x03}).Bytes.size(), 0u);
    ASSERT_EQ(Control("power on"), "ok");
    Ok(74, "W");
    EXPECT_TRUE(JournalHas("[power off]"));
}

TEST_F(EngineTest, DisplayDrawerCashAndBarcodes) {
    Ok(47, "Welcome to the shop, friend");
    Ok(35, "\xCA\xE0\xF1\xF1\xE0 1");  // Касса 1
    EXPECT_TRUE(JournalHas("[display upper: Welcome to the shop,]"));
    EXPECT_TRUE(JournalHas("[display lower: Касса 1]"));
    Ok(33);
    EXPECT_TRUE(JournalHas("[display upper: ]"));
    Ok(63);
    EXPECT_TRUE(JournalHas("[display lower: 10:00:00]"));
    Ok(106, "");
    Ok(106, "50");
    EXPECT_TRUE(JournalHas("[drawer opened]"));

    EXPECT_EQ(Ok(70, "100.00"), "10000,10000,0");
    EXPECT_EQ(Ok(70, "-30.00"), "7000,10000,3000");
    EXPECT_EQ(Send(70, "-70.01").Word & kNotAllowed, kNotAllowed);
    EXPECT_TRUE(JournalHas("SERVICE OUT"));

    EXPECT_EQ(Ok(88, "14820000000001"), "1");
    EXPECT_TRUE(JournalHas("[BARCODE EAN-13 4820000000001]"));
    for (const char* bad : {"1482000000000X", "9abc", "", "0123"})
        EXPECT_EQ(Send(88, bad).Word & kSyntaxError, kSyntaxError) << bad;
}

TEST_F(EngineTest, IdentityNetworkAndModemReport) {
    // The serial number is the seventh field once the spaces of the first
    // 20 characters are commas.
    std::string diag = Ok(90, "0");
    for (std::size_t i = 0; i < 20 && i < diag.size(); ++i)
        if (diag[i] == ' ') diag[i] = ',';
    EXPECT_EQ(simulator::SplitFields(diag)[6], "QZ17000123") << diag;
    EXPECT_EQ(Ok(255), "ID4417000123");

    const std::string params = "0,C0A8000A,FFFFFF00,C0A80001,0A000005,BB01,3C00,0300";
    Ok(36, params);
    EXPECT_EQ(Ok(37), params);
    EXPECT_EQ(Send(36, "0,C0A8000,FFFFFF00,C0A80001,0A000005,BB01,3C00,0300").Word & kSyntaxError,
              kSyntaxError);
    EXPECT_EQ(Send(36, "0,c0a8000a,FFFFFF00,C0A80001,0A000005,BB01,3C00,0300").Word & kSyntaxError,
              kSyntaxError);

    const std::vector<std::string> modem = Send(108, "0").Fields();
    ASSERT_EQ(modem.size(), 5u);
    EXPECT_EQ(modem[0], "78");
    EXPECT_EQ(modem[3], "06-04-18");
    EXPECT_EQ(modem[4], "10:00:00");
}

TEST_F(EngineTest, CopiesAndElectronicJournal) {
    ProgramArticle(1, kTaxA, 1, "3.00", "Pen");
    EXPECT_EQ(Send(109, "1").Word & kNotAllowed, kNotAllowed);  // nothing to copy yet
    for (int i = 0; i < 2; ++i) {
        OpenReceipt();
        Ok(58, "1");
        Ok(53, "\tP0.00");
        Ok(56);
    }
    const Answer copy = Send(109, "2");
    EXPECT_TRUE(copy.Framed && copy.Waits > 0) << copy.Hex();
    EXPECT_EQ(Ok(116, "1"), "1");
    EXPECT_EQ(Ok(116, "99"), "0");
    EXPECT_EQ(Ok(235, "1,2"), "2");
    EXPECT_EQ(Ok(236, "1"), "2");
    EXPECT_TRUE(JournalHas("COPY - NOT A FISCAL DOCUMENT"));
    EXPECT_TRUE(JournalHas("JOURNAL TAX REPORT Z 0001"));
    EXPECT_EQ(Send(109, "3").Word & kSyntaxError, kSyntaxError);
}

TEST_F(EngineTest, StateFileKeepsTablesTotalsAndRecords) {
    const std::string path =
        (std::filesystem::temp_directory_path() / ("ecrsim-state-" + std::to_string(::getpid()))).string();
    std::filesystem::remove(path);
    std::string error;
    ASSERT_TRUE(engine.UseStateFile(path, error)) << error;
    ProgramArticle(42, kTaxB, 5, "9.99", "Name, with comma\ttwo lines");
    Ok(102, "2,0000,\xCE\xEB\xFF");  // Оля
    OpenReceipt();
    Ok(58, "42");
    Ok(53, "\tP10.00");
    Ok(56);
    Ok(69, "0000,0");
    Ok(70, "5.00");

    simulator::VirtualClock later{kStart + 3600};
    simulator::Engine restarted{later, nullptr};
    ASSERT_TRUE(restarted.UseStateFile(path, error)) << error;
    const simulator::PrinterState& s = restarted.State();
    EXPECT_EQ(s.Articles[42].Name, "Name, with comma\ttwo lines");
    EXPECT_EQ(s.Articles[42].Price, 999);
    EXPECT_EQ(s.Operators[1].Name, "\xCE\xEB\xFF");
    ASSERT_EQ(s.ZRecords.size(), 1u);
    EXPECT_EQ(s.ZRecords[0].Sales[1], 999);
    EXPECT_EQ(s.Cash, 500);
    EXPECT_EQ(s.FiscalNumber, 1);
    ASSERT_EQ(s.Journal.size(), 1u);
    EXPECT_EQ(s.Journal[0].Lines, engine.State().Journal[0].Lines);

    std::FILE* f = std::fopen(path.c_str(), "w");
    std::fputs("something else\n", f);
    std::fclose(f);
    simulator::Engine broken{later, nullptr};
    EXPECT_FALSE(broken.UseStateFile(path, error));
    std::filesystem::remove(path);
}

}  // namespace
