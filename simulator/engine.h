// The virtual QZ4417R: the printer's side of the serial line.
//
// Bytes from the host go in through Receive; the engine parses request
// frames, runs the commands against the printer's state, prints to the
// journal and queues its answer: a reply frame (SEQ and CMD echoed, data,
// 04h, six status bytes, 05h, checksum, 03h), or 15h for a broken frame.
// Long operations (reports, the Z report, copies) are preceded by 16h every
// 60 ms. A request repeated with the same SEQ, command and data gets the
// last reply again without running the command a second time.
//
// Each queued byte falls due at a time of the engine's clock; ReadDue takes
// the bytes due now, NextDueMicros tells when the next one is. With a baud
// rate set, bytes fall due one character time apart, as on a real line.
// A request that arrives while an answer is still being sent is ignored,
// as is everything while the power is off.
//
// Control commands (Control): "power off", "power on", "clock reset" (the
// clock must be set again), "clear" (drop pending faults), and the fault
// commands of faults.h.
#pragma once

#include <cstdint>
#include <deque>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "simulator/clock.h"
#include "simulator/faults.h"
#include "simulator/journal.h"
#include "simulator/printer_state.h"
#include "simulator/request_parser.h"

namespace simulator {

class Engine {
public:
    static constexpr std::int64_t kNothingDue = std::numeric_limits<std::int64_t>::max();
    static constexpr std::int64_t kWaitInterval = 60000;  // 16h every 60 ms
    // A frame that falls silent for this long inside is dropped.
    static constexpr std::int64_t kInterByteTimeout = 500000;

    Engine(Clock& clock, JournalSink* journal);
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    void Receive(const std::uint8_t* bytes, std::size_t count);
    // Moves up to `capacity` bytes that are due now to `out`; returns how many.
    std::size_t ReadDue(std::uint8_t* out, std::size_t capacity);
    std::int64_t NextDueMicros() const;
    bool Sending() const { return !output_.empty(); }
    // Drops the bytes that are due now (the host purged its input).
    void DiscardDue();

    // Runs one control command; the answer is "ok" or "error: ...".
    std::string Control(std::string_view line);

    // 0 sends without pacing.
    void SetBaud(int baud) { baud_ = baud; }
    // Loads the state file when it exists and saves to it after every
    // change. False, with a reason, when the file exists but is unreadable.
    bool UseStateFile(const std::string& path, std::string& error);

    bool PoweredOn() const { return powered_; }
    PrinterState& State() { return state_; }
    // The printer's calendar now.
    std::int64_t PrinterSeconds() const;

private:
    struct Pending {
        std::int64_t Due;
        std::uint8_t Byte;
    };

    void Serve(const Request& request);
    StatusBytes StandingStatus(bool paperOut) const;
    void QueueWaits(std::int64_t from, std::int64_t until);
    void Queue(const std::uint8_t* bytes, std::size_t count, std::int64_t due);
    bool SameAsLast(const Request& r) const;

    Clock& clock_;
    Paper paper_;
    PrinterState state_;
    RequestParser parser_;
    FaultPlan faults_;
    std::deque<Pending> output_;
    std::int64_t lineFreeAt_ = 0;
    std::int64_t lastByteAt_ = 0;
    int baud_ = 0;
    bool powered_ = true;
    std::string statePath_;

    bool haveLast_ = false;
    Request lastRequest_;
    std::vector<std::uint8_t> lastReply_;
};

}  // namespace simulator
