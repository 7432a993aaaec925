// An in-process serial port for unit tests. Reads come from a queue of
// scripted events; an empty queue reads as silence, which costs no time, so
// the 5 s reply time-out passes at once.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "devicelink/serial_port.h"

namespace testing_support {

struct LineEvent {
    enum Kind { Byte, Silence, Error } kind;
    std::uint8_t byte = 0;
};

struct FakeLineState {
    std::vector<std::uint8_t> written;        // every byte the host wrote
    std::vector<std::vector<std::uint8_t>> frames;  // one entry per Write
    std::deque<LineEvent> input;
    int silentReads = 0;
    int errorReads = 0;
    int clearErrors = 0;
    std::vector<unsigned> purges;
    // Called after each Write with the frame; may queue input.
    std::function<void(const std::vector<std::uint8_t>&)> onWrite;

    void Queue(const std::vector<std::uint8_t>& bytes) {
        for (auto b : bytes) input.push_back({LineEvent::Byte, b});
    }
    void QueueSilence(int reads) {
        for (int i = 0; i < reads; ++i) input.push_back({LineEvent::Silence});
    }
};

class FakeLine final : public devicelink::SerialLine {
public:
    explicit FakeLine(std::shared_ptr<FakeLineState> s) : s_(std::move(s)) {}
    std::intptr_t Handle() const override { return 7; }
    void Flush() override {}
    void Purge(unsigned flags) override { s_->purges.push_back(flags); }
    bool Write(const std::uint8_t* bytes, std::size_t count) override {
        std::vector<std::uint8_t> frame(bytes, bytes + count);
        s_->written.insert(s_->written.end(), frame.begin(), frame.end());
        s_->frames.push_back(frame);
        if (s_->onWrite) s_->onWrite(frame);
        return true;
    }
    devicelink::ReadResult ReadByte(std::uint8_t& byte) override {
        if (s_->input.empty()) {
            ++s_->silentReads;
            return devicelink::ReadResult::Silent;
        }
        LineEvent e = s_->input.front();
        s_->input.pop_front();
        switch (e.kind) {
            case LineEvent::Byte: byte = e.byte; return devicelink::ReadResult::Byte;
            case LineEvent::Silence: ++s_->silentReads; return devicelink::ReadResult::Silent;
            case LineEvent::Error: ++s_->errorReads; return devicelink::ReadResult::Error;
        }
        return devicelink::ReadResult::Silent;
    }
    void ClearError() override { ++s_->clearErrors; }

private:
    std::shared_ptr<FakeLineState> s_;
};

// Port n opens while it is listed in `available` and not already held.
class FakePorts final : public devicelink::SerialPortDriver {
public:
    std::shared_ptr<FakeLineState> line = std::make_shared<FakeLineState>();
    std::vector<int> available{1};
    int opens = 0;
    int locks = 0;

    std::unique_ptr<devicelink::SerialLine> Open(int portNumber, int) override {
        ++opens;
        bool ok = false;
        for (int n : available) ok = ok || n == portNumber;
        if (!ok || line.use_count() > 1) return nullptr;
        return std::make_unique<FakeLine>(line);
    }
    void LockPages(const void*, std::size_t) override { ++locks; }
};

// Bytes of a text, for building expected frames.
inline std::vector<std::uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

// Hex dump for failure messages: "01 25 21 4A".
std::string Hex(const std::vector<std::uint8_t>& bytes);

}  // namespace testing_support
