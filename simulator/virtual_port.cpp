#include "simulator/virtual_port.h"

namespace simulator {

using devicelink::ReadResult;

class VirtualPrinterPorts::Line final : public devicelink::SerialLine {
public:
    explicit Line(VirtualPrinterPorts& ports) : ports_(ports) { ports_.held_ = true; }
    ~Line() override { ports_.held_ = false; }
    Line(const Line&) = delete;
    Line& operator=(const Line&) = delete;

    std::intptr_t Handle() const override { return 0x4417; }
    void Flush() override {}
    void Purge(unsigned flags) override {
        if (flags & (devicelink::kPurgeRxAbort | devicelink::kPurgeRxClear))
            ports_.engine_.DiscardDue();
    }
    bool Write(const std::uint8_t* bytes, std::size_t count) override {
        ports_.engine_.Receive(bytes, count);
        return true;
    }
    ReadResult ReadByte(std::uint8_t& byte) override {
        Engine& engine = ports_.engine_;
        VirtualClock& clock = ports_.clock_;
        if (engine.ReadDue(&byte, 1)) return ReadResult::Byte;
        const std::int64_t wait = engine.NextDueMicros() - clock.NowMicros();
        if (engine.Sending() && wait <= kReadTimeout) {
            clock.Advance(wait);
            engine.ReadDue(&byte, 1);
            return ReadResult::Byte;
        }
        clock.Advance(kReadTimeout);
        return ReadResult::Silent;
    }
    void ClearError() override {}

private:
    VirtualPrinterPorts& ports_;
};

VirtualPrinterPorts::VirtualPrinterPorts(int portNumber)
    : portNumber_(portNumber), engine_(clock_, &journal_) {}

std::unique_ptr<devicelink::SerialLine> VirtualPrinterPorts::Open(int portNumber, int) {
    if (portNumber != portNumber_ || held_) return nullptr;
    return std::make_unique<Line>(*this);
}

}  // namespace simulator
