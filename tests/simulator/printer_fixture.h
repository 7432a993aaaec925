// A virtual printer on a virtual clock, driven frame by frame: requests in,
// the printer's answer (wait bytes, reply frame) and journal lines out.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "devicelink/frame.h"
#include "devicelink/status_word.h"
#include "simulator/clock.h"
#include "simulator/engine.h"
#include "simulator/journal.h"
#include "simulator/text.h"
#include "tests/support/fake_port.h"

namespace simtest {

inline constexpr std::uint32_t kFailureMask = 0x1F0F237F;

// What came back for one request.
struct Answer {
    std::vector<std::uint8_t> Bytes;
    int Waits = 0;           // leading 16h bytes
    bool Framed = false;     // a complete reply frame with a good checksum
    std::uint8_t Seq = 0, Command = 0;
    std::string Data;
    std::uint8_t Status[devicelink::kStatusBytes] = {};
    std::uint32_t Word = 0;  // the server's status word of the status bytes
    std::int64_t Micros = 0; // virtual time the answer took

    std::string Hex() const { return testing_support::Hex(Bytes); }
    bool Failed() const { return (Word & kFailureMask) != 0; }
    std::vector<std::string> Fields() const {
        std::vector<std::string> f;
        for (auto piece : simulator::SplitFields(Data)) f.emplace_back(piece);
        return f;
    }
};

Answer Decode(const std::vector<std::uint8_t>& bytes);

class PrinterTest : public ::testing::Test {
protected:
    // 06-04-18 10:00:00
    static constexpr std::int64_t kStart = 1523008800;

    // Sends one request with the next SEQ.
    Answer Send(std::uint8_t command, const std::string& data = "");
    // Sends one request with the given SEQ.
    Answer SendWithSeq(std::uint8_t seq, std::uint8_t command, const std::string& data);
    // Feeds raw bytes and collects everything the printer sends back.
    Answer Raw(const std::vector<std::uint8_t>& bytes);
    // Sends and expects success; returns the reply data.
    std::string Ok(std::uint8_t command, const std::string& data = "");
    std::string Control(const std::string& line) { return engine.Control(line); }
    bool JournalHas(const std::string& utf8) const;

    void ProgramArticle(int number, char tax, int group, const std::string& price,
                        const std::string& name);
    void OpenReceipt(std::uint8_t command = 48) { Ok(command, "00001,0000,00001,I"); }

    simulator::VirtualClock clock{kStart};
    simulator::MemoryJournal journal;
    simulator::Engine engine{clock, &journal};
    std::uint8_t counter = 0;
};

}  // namespace simtest
