// A scripted printer on the fake serial port: answers each request frame
// with the reply configured for its command code (data and status bytes),
// or stays silent. Records the commands it was sent.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "devicelink/device_link.h"
#include "devicelink/frame.h"
#include "tests/support/fake_port.h"

namespace testing_support {

struct ScriptedReply {
    std::string data;
    std::vector<std::uint8_t> status = {0x80, 0x80, 0x80, 0x80, 0x80, 0x80};
    bool silent = false;
};

struct SentCommand {
    int code;
    std::string data;
    bool operator==(const SentCommand&) const = default;
};

class FakePrinter {
public:
    FakePrinter() {
        ports.line->onWrite = [this](const std::vector<std::uint8_t>& frame) { Answer(frame); };
    }

    // Status bytes of a reply with `flags` set on top of bit 7, e.g.
    // Status({{0, 0x01}}) sets status byte 0 bit 0.
    static std::vector<std::uint8_t> Status(std::initializer_list<std::pair<int, int>> bits) {
        std::vector<std::uint8_t> s(6, 0x80);
        for (auto [byte, mask] : bits) s[byte] |= static_cast<std::uint8_t>(mask);
        return s;
    }

    std::map<int, ScriptedReply> replies;  // by command code; others: empty data, no bits
    std::vector<SentCommand> sent;
    FakePorts ports;

private:
    void Answer(const std::vector<std::uint8_t>& frame) {
        if (frame.size() < 10) return;
        const int code = frame[3];
        sent.push_back({code, std::string(frame.begin() + 4, frame.end() - 6)});
        const ScriptedReply r = replies.count(code) ? replies[code] : ScriptedReply{};
        if (r.silent) return;
        std::vector<std::uint8_t> reply(devicelink::kMaxReplyFrame);
        reply.resize(devicelink::BuildReplyFrame(frame[2], frame[3], r.data, r.status.data(),
                                                 reply.data(), reply.size()));
        ports.line->Queue(reply);
    }
};

}  // namespace testing_support
