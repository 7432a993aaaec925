// The platform serial backend over a real pseudo-terminal whose far end is a
// PtyPeer. Natively the peer runs in this process and VEXLOR_COM1 names the
// terminal; under Wine a line_peer process serves the terminal that the
// test prefix maps to COM1.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>

#include "devicelink/device_link.h"
#include "devicelink/status_word.h"

#ifndef _WIN32
#include "tests/support/pty_peer.h"
#endif

using namespace devicelink;

namespace {

RetData g_last;
void Record(RetData& r) { g_last = r; }

class SerialPortTest : public ::testing::Test {
protected:
    void SetUp() override {
#ifndef _WIN32
        peer_ = std::make_unique<testing_support::PtyPeer>();
        ASSERT_TRUE(peer_->Ok());
        setenv("VEXLOR_COM1", peer_->SlavePath().c_str(), 1);
        peer_->ServeInBackground();
#endif
        ASSERT_NE(link.OpenPort(1, 115200), kInvalidPort) << "COM1 did not open";
    }

    double Exchange(int code, const std::string& data) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(link.SendCommand(&Record, 0, code, data), kSendDone);
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

#ifndef _WIN32
    std::unique_ptr<testing_support::PtyPeer> peer_;
#endif
    DeviceLink link{SystemSerialPorts()};
};

TEST_F(SerialPortTest, FirstFrameIsExactAndReplyArrives) {
    Exchange(74, "X");
    EXPECT_EQ(g_last.StatusWord, 0u) << std::hex << g_last.StatusWord;
    ASSERT_EQ(g_last.FieldCount, 1);
    // The peer answers with the request frame it received, in hex.
    EXPECT_STREQ(g_last.Fields[0], "0125214A580530303E3D03");

    Exchange(45, "");
    EXPECT_STREQ(g_last.Fields[0], "0124222D053030373803");
}

TEST_F(SerialPortTest, NakEndsTheWaitAfterTheLineFallsSilent) {
    const double seconds = Exchange(42, "NAK");
    EXPECT_EQ(g_last.StatusWord, kStatusNak) << std::hex << g_last.StatusWord;
    EXPECT_LT(seconds, 2.0);
}

TEST_F(SerialPortTest, SilentPrinterTimesOutAfterAboutFiveSeconds) {
    const double seconds = Exchange(42, "SILENT");
    EXPECT_EQ(g_last.StatusWord, kStatusNoReply) << std::hex << g_last.StatusWord;
    EXPECT_GT(seconds, 4.5);
    EXPECT_LT(seconds, 15.0);
}

TEST_F(SerialPortTest, ClosedPortEndsExchangesAtOnceAsNoReply) {
    link.ClosePort();
    EXPECT_EQ(link.PortHandle(), kInvalidPort);
    const double seconds = Exchange(74, "W");
    EXPECT_EQ(g_last.StatusWord, kStatusNoReply);
    EXPECT_LT(seconds, 2.0);
}

#ifndef _WIN32
// Wine does not enforce exclusive opening of a COM port.
TEST_F(SerialPortTest, PortIsHeldExclusively) {
    DeviceLink other{SystemSerialPorts()};
    EXPECT_EQ(other.OpenPort(1, 115200), kInvalidPort);
    link.ClosePort();
    EXPECT_NE(other.OpenPort(1, 115200), kInvalidPort);
}

TEST(PosixPortNames, MissingDeviceDoesNotOpen) {
    setenv("VEXLOR_COM9", "/nonexistent/tty", 1);
    DeviceLink link{SystemSerialPorts()};
    EXPECT_EQ(link.OpenPort(9, 9600), kInvalidPort);
}
#endif

}  // namespace
