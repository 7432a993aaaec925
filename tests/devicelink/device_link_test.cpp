// The exchange driver, the reply machine and FinishReply, against a test
// double of the serial port whose silent reads cost no time.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "devicelink/command_names.h"
#include "devicelink/device_link.h"
#include "devicelink/status_word.h"
#include "tests/support/fake_port.h"

using namespace devicelink;
using testing_support::Bytes;
using testing_support::FakePorts;
using testing_support::Hex;
using testing_support::LineEvent;

namespace {

int g_completions = 0;
RetData g_last;
void Record(RetData& r) {
    ++g_completions;
    g_last = r;
}

std::vector<std::uint8_t> Status(std::uint8_t s0 = 0x80, std::uint8_t s1 = 0x80,
                                 std::uint8_t s2 = 0x80, std::uint8_t s3 = 0x80,
                                 std::uint8_t s4 = 0x80, std::uint8_t s5 = 0x80) {
    return {s0, s1, s2, s3, s4, s5};
}

std::vector<std::uint8_t> Reply(const std::string& data,
                                const std::vector<std::uint8_t>& status = Status(),
                                std::uint8_t cmd = 0x4A) {
    std::vector<std::uint8_t> out(kMaxReplyFrame);
    out.resize(BuildReplyFrame(0x21, cmd, data, status.data(), out.data(), out.size()));
    return out;
}

std::vector<std::uint8_t> Cat(std::vector<std::uint8_t> a, const std::vector<std::uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class DeviceLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_completions = 0;
        g_last = RetData{};
    }
    void Open() { ASSERT_NE(link.OpenPort(1, 115200), kInvalidPort); }
    int Send(int code, const std::string& data = "W") {
        return link.SendCommand(&Record, 0, code, data);
    }
    std::vector<std::string> Fields() const {
        std::vector<std::string> f;
        for (int i = 0; i < g_last.FieldCount; ++i) f.emplace_back(g_last.Fields[i]);
        return f;
    }

    FakePorts ports;
    DeviceLink link{ports};
};

TEST(FrameTest, FirstStatusRequestIsExact) {
    std::uint8_t frame[kMaxRequestFrame];
    const std::size_t n = BuildRequestFrame(SequenceByte(1), 74, "X", frame, sizeof frame);
    EXPECT_EQ(Hex({frame, frame + n}), "01 25 21 4A 58 05 30 30 3E 3D 03");
}

TEST(FrameTest, EmptyDataAndLimits) {
    std::uint8_t frame[kMaxRequestFrame];
    EXPECT_EQ(BuildRequestFrame(0x21, 45, "", frame, sizeof frame), 10u);
    EXPECT_EQ(frame[1], 0x24);
    const std::string longest(kMaxRequestData, 'a');
    EXPECT_EQ(BuildRequestFrame(0x21, 42, longest, frame, sizeof frame), 95u);
    EXPECT_EQ(BuildRequestFrame(0x21, 42, longest + "a", frame, sizeof frame), 0u);
}

TEST(FrameTest, ChecksumCharactersUseNoLetters) {
    std::uint8_t out[4];
    EncodeChecksum(0xABCD, out);
    EXPECT_EQ(Hex({out, out + 4}), "3A 3B 3C 3D");
    EncodeChecksum(0x0F0F, out);
    EXPECT_EQ(Hex({out, out + 4}), "30 3F 30 3F");
}

TEST_F(DeviceLinkTest, NotReadyBeforeOpenPort) {
    EXPECT_EQ(Send(74), kSendNotReady);
    EXPECT_EQ(g_completions, 0);
    EXPECT_EQ(link.SequenceCounter(), 0);
    EXPECT_TRUE(ports.line->written.empty());
}

TEST_F(DeviceLinkTest, RefusesDataLongerThanAFrameHolds) {
    Open();
    EXPECT_EQ(Send(42, std::string(86, 'x')), kSendDataTooLong);
    EXPECT_EQ(g_completions, 0);
    EXPECT_EQ(link.SequenceCounter(), 0);
    EXPECT_TRUE(ports.line->written.empty());

    EXPECT_EQ(Send(42, std::string(85, 'x')), kSendDone);
    ASSERT_EQ(ports.line->frames.size(), 1u);
    EXPECT_EQ(ports.line->frames[0].size(), 95u);
    EXPECT_EQ(ports.line->frames[0][1], 0x20 + 85 + 4);
}

TEST_F(DeviceLinkTest, ExchangeWritesFrameAndDeliversReply) {
    Open();
    ports.line->Queue(Reply("ABC123,XYZ", Status(0x80, 0x88), 0xFF));
    EXPECT_EQ(Send(255, ""), kSendDone);
    EXPECT_EQ(Hex(ports.line->frames.at(0)), "01 24 21 FF 05 30 31 34 39 03");
    EXPECT_EQ(g_completions, 1);
    EXPECT_EQ(g_last.CommandCode, 255);
    EXPECT_EQ(g_last.StatusWord, 0x00000080u);
    EXPECT_EQ(Fields(), (std::vector<std::string>{"ABC123", "XYZ"}));
    EXPECT_STREQ(g_last.ReplyText, "ABC123,XYZ");
    EXPECT_STREQ(g_last.RequestData, "");
    EXPECT_STREQ(g_last.CommandName, "Неверная команда");
    EXPECT_EQ(g_last.StatusByte[1], 0x08);
    // Nothing left over: the next exchange may start.
    EXPECT_EQ(Send(74), kSendDone);
    EXPECT_EQ(ports.line->purges.back(), unsigned{kPurgeTxClear | kPurgeRxClear});
}

struct StreamCase {
    const char* name;
    std::vector<std::uint8_t> stream;
    std::uint32_t statusWord;
    std::vector<std::string> fields;
    std::vector<std::uint8_t> statusBytes;
    int maxSilentReads;  // how long the wait may take, in 100 ms reads
};

std::vector<StreamCase> StreamCases() {
    auto badChecksum = Reply("12", Status(0x81));
    badChecksum[badChecksum.size() - 2] ^= 0x01;
    auto badEnd = Reply("12");
    badEnd.back() = 'x';
    auto early = Reply("1234");
    early.resize(6);
    early.push_back(kEnd);
    std::vector<std::uint8_t> restarted = {0x01, 0x2F, 0x21, 0x4A, 'j', 'u'};
    return {
        {"PlainReply", Reply("0"), 0, {"0"}, {0, 0, 0, 0, 0, 0}, 0},
        {"StatusBitsMapped", Reply("", Status(0x81, 0x80, 0x80, 0x80, 0xA0)), 0x10000001, {},
         {1, 0, 0, 0, 0x20, 0}, 0},
        {"StatusByte3NeverFlags", Reply("", Status(0x80, 0x80, 0x80, 0xFF)), 0, {},
         {0, 0, 0, 0x7F, 0, 0}, 0},
        {"AllBitsSet", Reply("", Status(0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF)), 0x18FF7FFF, {},
         {0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F}, 0},
        {"EmptyPiecesCount", Reply("12,34,,56"), 0, {"12", "34", "", "56"}, {0, 0, 0, 0, 0, 0},
         0},
        {"WaitBytesBeforeReply", Cat({0x16, 0x16, 0x16}, Reply("7")), 0, {"7"},
         {0, 0, 0, 0, 0, 0}, 0},
        {"PreambleInDataRestarts", Cat(restarted, Reply("ok")), 0, {"ok"}, {0, 0, 0, 0, 0, 0}, 0},
        {"DroppedHeaderThenReply", Cat({0x01, 0x2A, 0x01, 0x2B, 0x1F}, Reply("ok")), 0, {"ok"},
         {0, 0, 0, 0, 0, 0}, 0},
        {"ChecksumError", badChecksum, 0x01000000, {"12"}, {1, 0, 0, 0, 0, 0}, 0},
        {"NakOnly", {0x15}, 0x02000000, {}, {0, 0, 0, 0, 0, 0}, 1},
        {"NakThenFrameStaysNak", Cat({0x15}, Reply("5")), 0x02000000, {"5"}, {0, 0, 0, 0, 0, 0},
         0},
        {"WrongEndByteIsNoReply", badEnd, 0x04000000, {"12"}, {0, 0, 0, 0, 0, 0}, 0},
        {"EarlyEndIsChecksumError", early, 0x01000000, {"12"}, {0, 0, 0, 0, 0, 0}, 0},
        {"Silence", {}, 0x04000000, {}, {0, 0, 0, 0, 0, 0}, 50},
    };
}

void PrintTo(const StreamCase& c, std::ostream* os) { *os << c.name; }

class StreamTest : public DeviceLinkTest, public ::testing::WithParamInterface<StreamCase> {};

TEST_P(StreamTest, FinishesReplyAsExpected) {
    const StreamCase& c = GetParam();
    Open();
    ports.line->Queue(c.stream);
    EXPECT_EQ(Send(74), kSendDone);
    SCOPED_TRACE("stream " + Hex(c.stream));
    EXPECT_EQ(g_completions, 1);
    EXPECT_EQ(g_last.StatusWord, c.statusWord) << std::hex << g_last.StatusWord;
    EXPECT_EQ(Fields(), c.fields);
    EXPECT_EQ(std::vector<std::uint8_t>(g_last.StatusByte, g_last.StatusByte + 6), c.statusBytes);
    EXPECT_LE(ports.line->silentReads, c.maxSilentReads);
    EXPECT_EQ(link.Machine().State, ReceiveState::WaitStart);
}

INSTANTIATE_TEST_SUITE_P(Replies, StreamTest, ::testing::ValuesIn(StreamCases()),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(DeviceLinkTest, SilenceRuleCountsFiftyQuietReads) {
    Open();
    ports.line->QueueSilence(49);
    ports.line->Queue(Reply("late"));
    Send(74);
    EXPECT_EQ(g_last.StatusWord, 0u);
    EXPECT_EQ(Fields(), std::vector<std::string>{"late"});

    ports.line->QueueSilence(50);
    ports.line->Queue(Reply("too late"));
    Send(74);
    EXPECT_EQ(g_last.StatusWord, kStatusNoReply);
    EXPECT_EQ(g_last.FieldCount, 0);
}

TEST_F(DeviceLinkTest, WaitBytesKeepTheExchangeAlive) {
    Open();
    // A 16h every 0.9 s for 20 s, then the reply.
    for (int i = 0; i < 22; ++i) {
        ports.line->QueueSilence(9);
        ports.line->Queue({kWait});
    }
    ports.line->QueueSilence(9);
    ports.line->Queue(Reply("done"));
    Send(69, "0000,2");
    EXPECT_EQ(g_last.StatusWord, 0u);
    EXPECT_EQ(Fields(), std::vector<std::string>{"done"});
}

TEST_F(DeviceLinkTest, ReadErrorClearsPortAndRestartsFrame) {
    Open();
    auto reply = Reply("ok");
    ports.line->Queue(reply);
    Send(74);
    ports.line->Queue({reply.begin(), reply.begin() + 5});
    ports.line->input.push_back({LineEvent::Error});
    // Without the restart these bytes would complete the frame; after it
    // the end byte comes early.
    ports.line->Queue({reply.begin() + 5, reply.end()});
    Send(74);
    EXPECT_EQ(ports.line->clearErrors, 1);
    EXPECT_EQ(g_last.StatusWord, kStatusChecksumError);
}

struct AdjustCase {
    int command;
    std::string reply;
    std::vector<std::string> fields;
};

TEST_F(DeviceLinkTest, PerCommandAdjustmentKeepsReplyTextUnchanged) {
    const AdjustCase cases[] = {
        {53, "AB12", {"A", "B12"}},
        {53, "F", {"F"}},
        {50, "R0,5", {"R", "0", "5"}},
        {62, "01-02-18 13:45:00", {"01-02-18", "13:45:00"}},
        {62, "01-02-18", {"01-02-18"}},
        {90, "a b c d e f SN1234567 x", {"a", "b", "c", "d", "e", "f", "SN1234567 x"}},
        {74, "a b", {"a b"}},
    };
    Open();
    for (const AdjustCase& c : cases) {
        ports.line->Queue(Reply(c.reply));
        Send(c.command, "");
        EXPECT_EQ(Fields(), c.fields) << "command " << c.command << " reply " << c.reply;
        EXPECT_EQ(std::string(g_last.ReplyText), c.reply);
    }
}

TEST_F(DeviceLinkTest, LongestReplyIsCopiedWhole) {
    Open();
    std::string text(kMaxReplyData, 'z');
    text[100] = ',';
    ports.line->Queue(Reply(text, Status(), 0x35));
    Send(53, "\tP0.00");
    EXPECT_EQ(std::string(g_last.ReplyText), text);
    ASSERT_EQ(g_last.FieldCount, 3);
    EXPECT_EQ(std::string(g_last.Fields[2]).size(), kMaxReplyData - 101);
}

TEST_F(DeviceLinkTest, TwentiethFieldKeepsTheRest) {
    Open();
    std::string text;
    for (int i = 0; i < 25; ++i) {
        if (i) text += ',';
        text += std::to_string(i);
    }
    ports.line->Queue(Reply(text));
    Send(74);
    ASSERT_EQ(g_last.FieldCount, 20);
    EXPECT_STREQ(g_last.Fields[0], "0");
    EXPECT_STREQ(g_last.Fields[18], "18");
    EXPECT_STREQ(g_last.Fields[19], "19,20,21,22,23,24");
}

TEST_F(DeviceLinkTest, StaleDataIsNotReadAsFields) {
    Open();
    ports.line->Queue(Reply("first,reply"));
    Send(74);
    Send(74);  // silent printer
    EXPECT_EQ(g_last.StatusWord, kStatusNoReply);
    EXPECT_EQ(g_last.FieldCount, 0);
    EXPECT_STREQ(g_last.ReplyText, "");
}

TEST_F(DeviceLinkTest, SequenceByteWrapsAsCounted) {
    Open();
    std::vector<int> seq;
    for (int k = 1; k <= 257; ++k) {
        Send(74);
        seq.push_back(ports.line->frames.back()[2]);
    }
    EXPECT_EQ(seq[0], 0x21);
    EXPECT_EQ(seq[93], 0x7E);   // 94th
    EXPECT_EQ(seq[94], 0x20);   // 95th
    EXPECT_EQ(seq[95], 0x21);   // 96th
    EXPECT_EQ(seq[254], 0x20 + 255 % 95);
    EXPECT_EQ(seq[255], 0x20);  // counter wrapped to 0
    EXPECT_EQ(seq[256], 0x21);
}

TEST_F(DeviceLinkTest, PortStates) {
    EXPECT_EQ(link.OpenPort(2, 9600), kInvalidPort);  // no such port
    EXPECT_EQ(link.PortHandle(), kInvalidPort);
    // Exchanges still run after a failed open and end as no reply.
    EXPECT_EQ(Send(74), kSendDone);
    EXPECT_EQ(g_last.StatusWord, kStatusNoReply);

    EXPECT_EQ(link.OpenPort(1, 9600), 7);
    // The port is exclusive: opening it again fails and drops the handle.
    EXPECT_EQ(link.OpenPort(1, 9600), kInvalidPort);
    EXPECT_EQ(link.PortHandle(), kInvalidPort);
    // The dropped line was released, so the port can be opened again.
    EXPECT_EQ(link.OpenPort(1, 9600), 7);
    EXPECT_GE(ports.locks, 1);

    link.ClosePort();
    EXPECT_EQ(link.PortHandle(), kInvalidPort);
    EXPECT_EQ(ports.line->purges.back(), 0x0Fu);
    const std::size_t written = ports.line->written.size();
    EXPECT_EQ(Send(74), kSendDone);
    EXPECT_EQ(g_last.StatusWord, kStatusNoReply);
    EXPECT_EQ(ports.line->written.size(), written);
}

TEST(StatusWordTest, MapsOnlyListedBits) {
    std::uint8_t s[kStatusBytes] = {0x01, 0, 0, 0, 0x20, 0};
    EXPECT_EQ(StatusFlagsOf(s), 0x10000001u);
    std::uint8_t unmapped[kStatusBytes] = {0xC8, 0xC0, 0xD6, 0xFF, 0xC2, 0xC0};
    EXPECT_EQ(StatusFlagsOf(unmapped), 0u);
    std::uint8_t s5[kStatusBytes] = {0, 0, 0, 0, 0, 0x04};
    EXPECT_EQ(StatusFlagsOf(s5), 0x00080000u);
}

TEST(CommandNameTest, NamesAndInvalidCodes) {
    const std::pair<int, const char*> named[] = {
        {33, "Очистка дисплея"},
        {52, "Регистрация продажи  и вывод на дисплей"},
        {74, "Получить состояние регистратора"},
        {76, "Состояние фискальной транзакции"},
        {85, "Открыть чек возврата"},
        {109, "Печать копии чека"},
    };
    for (const auto& [code, name] : named) EXPECT_STREQ(CommandNameOf(code), name) << code;
    int count = 0;
    for (int code = 33; code <= 109; ++code)
        count += std::string(CommandNameOf(code)) != "Неверная команда";
    EXPECT_EQ(count, 55);
    for (int code : {-1, 0, 32, 34, 36, 37, 75, 88, 108, 110, 255, 1000})
        EXPECT_STREQ(CommandNameOf(code), "Неверная команда") << code;
}

}  // namespace
