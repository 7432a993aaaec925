// The reply state machine: a push parser that consumes the printer's answer
// one byte at a time. It does no I/O; the exchange driver feeds it and then
// reads what it collected.
#pragma once

#include <cstddef>
#include <cstdint>

#include "devicelink/frame.h"

namespace devicelink {

enum class ReceiveState : std::uint8_t {
    WaitStart,
    WaitLength,
    WaitSequence,
    WaitCommand,
    ReadData,
    WaitStatusMark,
    ReadStatus,
    WaitPostamble,
    ReadChecksum,
    WaitEnd,
};
inline constexpr std::size_t kReceiveStates = 10;

// Marks left by the line. Nak and EarlyEnd replace whatever was marked
// before; Checksum is added by the verdict after the wait.
enum LinkFault : std::uint8_t {
    kNoFault = 0,
    kFaultNak = 1,
    kFaultEarlyEnd = 2,
    kFaultChecksum = 4,
};

// Large enough for the longest reply data, its terminator and the comma that
// the per-command adjustment may insert.
inline constexpr std::size_t kReplyDataArea = 300;
static_assert(kReplyDataArea >= kMaxReplyData + 2);

struct ReplyBuffer {
    std::uint8_t Status[kStatusBytes];
    std::uint8_t Sequence;  // the reply's SEQ - 20h
    std::uint8_t Command;
    char Data[kReplyDataArea];
};

class ReplyMachine {
public:
    // Dispatch of one received byte: 01h restarts the frame, 03h ends it,
    // 15h is a negative acknowledge, every other byte goes to the handler of
    // the current state.
    void Feed(std::uint8_t b);

    // Clears what the previous exchange left that a new one must not see;
    // the data area keeps older content behind its first byte.
    void BeginExchange();

    ReceiveState State = ReceiveState::WaitStart;
    std::uint8_t DataLength = 0;
    std::uint8_t Index = 0;
    std::uint32_t RunningSum = 0;
    std::uint32_t ReceivedChecksum = 0;
    ReplyBuffer Buffer{};
    bool FrameComplete = false;
    // True when no exchange is waiting or the awaited reply has ended.
    bool ExchangeDone = false;
    std::uint8_t Fault = kNoFault;

private:
    using Handler = void (ReplyMachine::*)(std::uint8_t);
    static const Handler kHandlers[kReceiveStates];

    void OnWaitStart(std::uint8_t b);
    void OnWaitLength(std::uint8_t b);
    void OnWaitSequence(std::uint8_t b);
    void OnWaitCommand(std::uint8_t b);
    void OnReadData(std::uint8_t b);
    void OnWaitStatusMark(std::uint8_t b);
    void OnReadStatus(std::uint8_t b);
    void OnWaitPostamble(std::uint8_t b);
    void OnReadChecksum(std::uint8_t b);
    void OnWaitEnd(std::uint8_t b);

    void Handle(std::uint8_t b) { (this->*kHandlers[static_cast<std::size_t>(State)])(b); }
};

}  // namespace devicelink
