// The device link over the in-process virtual printer: the server's own
// exchange driver and reply machine against real printer behaviour, with
// no real time spent on waits and time-outs.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "devicelink/device_link.h"
#include "devicelink/status_word.h"
#include "simulator/virtual_port.h"

using namespace devicelink;

namespace {

RetData g_last;
int g_completions = 0;
void Record(RetData& r) {
    g_last = r;
    ++g_completions;
}

class VirtualPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_completions = 0;
        ASSERT_NE(link.OpenPort(1, 115200), kInvalidPort);
    }
    const RetData& Send(int code, const std::string& data = "") {
        EXPECT_EQ(link.SendCommand(&Record, 0, code, data), kSendDone);
        return g_last;
    }
    std::string Field(int i) const { return i < g_last.FieldCount ? g_last.Fields[i] : "<none>"; }

    simulator::VirtualPrinterPorts ports;
    DeviceLink link{ports};
};

constexpr std::uint32_t kFailureMask = 0x1F0F237F;

TEST_F(VirtualPortTest, ExchangesThroughTheDeviceLink) {
    EXPECT_EQ(Send(74, "W").StatusWord & kFailureMask, 0u) << std::hex << g_last.StatusWord;
    Send(62);
    EXPECT_EQ(g_last.FieldCount, 2);  // the device link splits after the date
    EXPECT_EQ(std::string(g_last.Fields[0]).size(), 8u);

    Send(107, "P\xC0" "15,2,12.50,0000,Bread");
    EXPECT_EQ(Field(0), "P");
    Send(107, "R15");
    EXPECT_EQ(Field(2), "\xC0");
    EXPECT_EQ(Field(3), "2");
    EXPECT_EQ(Field(4), "12.50");
    EXPECT_EQ(Field(9), "Bread");

    Send(48, "00001,0000,00001,I");
    Send(58, "15*2.000");
    EXPECT_EQ(Send(74, "X").StatusWord & 0x400u, 0x400u);
    Send(53, "\tP30.00");
    EXPECT_EQ(Field(0), "R");  // the device link puts a comma after the letter
    EXPECT_EQ(Field(1), "500");
    Send(56);
    EXPECT_EQ(Send(113).StatusWord & kFailureMask, 0u);
    EXPECT_EQ(Field(0), "1");
}

TEST_F(VirtualPortTest, LongZReportAndTimeOutsCostNoRealTime) {
    const auto started = std::chrono::steady_clock::now();
    const std::int64_t virtualStart = ports.Time().NowMicros();
    EXPECT_EQ(Send(69, "0000,0").StatusWord & kFailureMask, 0u) << std::hex << g_last.StatusWord;
    EXPECT_GE(ports.Time().NowMicros() - virtualStart, 2000000);

    ports.Control("power off");
    EXPECT_EQ(Send(74, "W").StatusWord, kStatusNoReply);
    ports.Control("power on");
    ports.Control("nak");
    EXPECT_EQ(Send(74, "W").StatusWord, kStatusNak);
    ports.Control("bad-checksum");
    EXPECT_EQ(Send(74, "W").StatusWord, kStatusChecksumError);
    ports.Control("junk");
    EXPECT_EQ(Send(74, "W").StatusWord, kStatusNoReply);
    ports.Control("status paper-out");
    EXPECT_EQ(Send(74, "W").StatusWord & 0x08000200u, 0x08000200u);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
    EXPECT_EQ(g_completions, 6);
}

TEST_F(VirtualPortTest, PortIsExclusiveAndOnlyTheConfiguredNumberOpens) {
    DeviceLink second{ports};
    EXPECT_EQ(second.OpenPort(1, 115200), kInvalidPort);
    EXPECT_EQ(second.OpenPort(2, 115200), kInvalidPort);
    link.ClosePort();
    EXPECT_NE(second.OpenPort(1, 115200), kInvalidPort);
}

}  // namespace
