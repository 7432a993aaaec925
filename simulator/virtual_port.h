// The serial-port test double wired to a virtual printer: Open(n) gives a
// line whose Write feeds the printer and whose ReadByte returns its answer.
// Time is the printer's virtual clock: a read with nothing due advances it
// to the next byte (or by 100 ms, the read time-out, and reads as silence),
// so a Z report with its 16h bytes or a 5 s reply time-out costs no real
// time. The printer keeps its state across opens, like a real one.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "devicelink/serial_port.h"
#include "simulator/clock.h"
#include "simulator/engine.h"
#include "simulator/journal.h"

namespace simulator {

class VirtualPrinterPorts final : public devicelink::SerialPortDriver {
public:
    static constexpr std::int64_t kReadTimeout = 100000;

    // The printer answers on COM`portNumber`; other ports do not open.
    explicit VirtualPrinterPorts(int portNumber = 1);
    VirtualPrinterPorts(const VirtualPrinterPorts&) = delete;
    VirtualPrinterPorts& operator=(const VirtualPrinterPorts&) = delete;

    // Null for another port number, or while the port is held.
    std::unique_ptr<devicelink::SerialLine> Open(int portNumber, int baud) override;
    void LockPages(const void*, std::size_t) override {}

    Engine& Printer() { return engine_; }
    VirtualClock& Time() { return clock_; }
    // Everything printed so far, in UTF-8, one entry per roll line.
    const std::vector<std::string>& JournalLines() const { return journal_.Lines; }
    // A control command, as on ecrsim's control channel.
    std::string Control(std::string_view line) { return engine_.Control(line); }

private:
    class Line;

    int portNumber_;
    bool held_ = false;
    VirtualClock clock_;
    MemoryJournal journal_;
    Engine engine_;
};

}  // namespace simulator
