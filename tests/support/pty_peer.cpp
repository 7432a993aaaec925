#include "tests/support/pty_peer.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "devicelink/frame.h"

namespace testing_support {

using namespace devicelink;

PtyPeer::PtyPeer() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
    slavePath_ = ptsname(master_);
    termios tio{};
    tcgetattr(master_, &tio);
    cfmakeraw(&tio);
    tcsetattr(master_, TCSANOW, &tio);
}

PtyPeer::~PtyPeer() {
    Stop();
    if (master_ >= 0) close(master_);
}

void PtyPeer::ServeInBackground() {
    thread_ = std::thread([this] { Serve(); });
}

void PtyPeer::Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
}

void PtyPeer::Serve() {
    unsigned char frame[kMaxRequestFrame];
    std::size_t length = 0;
    while (!stop_) {
        pollfd p{master_, POLLIN, 0};
        if (poll(&p, 1, 50) <= 0) continue;
        if (p.revents & (POLLHUP | POLLERR)) {
            // No slave open yet (or it was closed): wait for the next open.
            usleep(20 * 1000);
            continue;
        }
        unsigned char b;
        if (read(master_, &b, 1) != 1) continue;
        if (b == kPreamble) length = 0;
        if (length < sizeof frame) frame[length++] = b;
        if (b == kEnd && length > 0 && frame[0] == kPreamble) {
            Answer(frame, length);
            length = 0;
        }
    }
}

void PtyPeer::Answer(const unsigned char* frame, std::size_t length) {
    if (length < 10) return;
    const std::string_view data(reinterpret_cast<const char*>(frame + 4), length - 10);
    if (data == "SILENT") return;
    if (data == "NAK") {
        const unsigned char nak = kNak;
        (void)!write(master_, &nak, 1);
        return;
    }
    std::string hex;
    char digits[3];
    for (std::size_t i = 0; i < length; ++i) {
        std::snprintf(digits, sizeof digits, "%02X", frame[i]);
        hex += digits;
    }
    const unsigned char status[kStatusBytes] = {0x80, 0x80, 0x80, 0x80, 0x80, 0x80};
    unsigned char reply[kMaxReplyFrame];
    const std::size_t n = BuildReplyFrame(frame[2], frame[3], hex, status, reply, sizeof reply);
    (void)!write(master_, reply, n);
}

}  // namespace testing_support
