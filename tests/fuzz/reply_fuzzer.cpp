// Feeds arbitrary byte streams to the reply machine and FinishReply as the
// printer's answers to a few exchanges, and checks that the reply record
// never points outside the device link's buffers.
//
// Input: byte 0 picks the command code (so the per-command adjustments run),
// byte 1 how many exchanges share the stream; the rest is the line. A 00h
// byte in the line stands for one silent read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "devicelink/device_link.h"

using namespace devicelink;

namespace {

class StreamLine final : public SerialLine {
public:
    StreamLine(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::intptr_t Handle() const override { return 1; }
    void Flush() override {}
    void Purge(unsigned) override {}
    bool Write(const std::uint8_t*, std::size_t) override { return true; }
    ReadResult ReadByte(std::uint8_t& byte) override {
        if (pos_ >= size_) return ReadResult::Silent;
        byte = data_[pos_++];
        if (byte == 0x00) return ReadResult::Silent;
        if (byte == 0xFF && pos_ % 7 == 0) return ReadResult::Error;
        return ReadResult::Byte;
    }
    void ClearError() override {}

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

class StreamPorts final : public SerialPortDriver {
public:
    StreamPorts(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::unique_ptr<SerialLine> Open(int, int) override {
        return std::make_unique<StreamLine>(data_, size_);
    }
    void LockPages(const void*, std::size_t) override {}

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

const DeviceLink* g_link = nullptr;
std::size_t g_checked = 0;

void Require(bool ok) {
    if (!ok) std::abort();
}

bool Inside(const char* p, const char* area, std::size_t size) {
    return p >= area && p < area + size && std::memchr(p, 0, area + size - p) != nullptr;
}

void Check(RetData& r) {
    const char* data = g_link->Machine().Buffer.Data;
    Require(r.FieldCount >= 0 && r.FieldCount <= static_cast<std::int32_t>(kMaxFields));
    for (std::int32_t i = 0; i < r.FieldCount; ++i) Require(Inside(r.Fields[i], data, kReplyDataArea));
    Require(std::strlen(r.ReplyText) <= kMaxReplyData);
    Require(r.StatusWord < 0x20000000u);
    for (std::uint8_t b : r.StatusByte) Require(b < 0x80);
    ++g_checked;
}

constexpr int kCommands[] = {74, 53, 50, 62, 90, 107, 76, 255};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int command = kCommands[data[0] % (sizeof kCommands / sizeof kCommands[0])];
    const int exchanges = 1 + data[1] % 3;
    StreamPorts ports(data + 2, size - 2);
    DeviceLink link(ports);
    g_link = &link;
    link.OpenPort(1, 9600);
    for (int i = 0; i < exchanges; ++i) {
        g_checked = 0;
        Require(link.SendCommand(&Check, 0, command, "X") == kSendDone);
        Require(g_checked == 1);
    }
    return 0;
}
