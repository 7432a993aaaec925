#include "devicelink/reply_machine.h"

namespace devicelink {

const ReplyMachine::Handler ReplyMachine::kHandlers[kReceiveStates] = {
    &ReplyMachine::OnWaitStart,      &ReplyMachine::OnWaitLength,   &ReplyMachine::OnWaitSequence,
    &ReplyMachine::OnWaitCommand,    &ReplyMachine::OnReadData,     &ReplyMachine::OnWaitStatusMark,
    &ReplyMachine::OnReadStatus,     &ReplyMachine::OnWaitPostamble, &ReplyMachine::OnReadChecksum,
    &ReplyMachine::OnWaitEnd,
};

void ReplyMachine::Feed(std::uint8_t b) {
    if (b >= 0x20) {
        Handle(b);
    } else if (b == kPreamble) {
        State = ReceiveState::WaitStart;
        Handle(b);
    } else if (b == kEnd) {
        if (State != ReceiveState::WaitEnd) Fault = kFaultEarlyEnd;
        State = ReceiveState::WaitEnd;
        Handle(b);
    } else if (b == kNak) {
        State = ReceiveState::WaitStart;
        Fault = kFaultNak;
        ExchangeDone = true;
    } else {
        Handle(b);
    }
}

void ReplyMachine::BeginExchange() {
    for (auto& s : Buffer.Status) s = 0;
    ExchangeDone = false;
    Fault = kNoFault;
    Buffer.Data[0] = '\0';
}

void ReplyMachine::OnWaitStart(std::uint8_t b) {
    if (b == kPreamble) State = ReceiveState::WaitLength;
    RunningSum = 0;
}

void ReplyMachine::OnWaitLength(std::uint8_t b) {
    if (b < 0x2B) {
        State = ReceiveState::WaitStart;
        return;
    }
    DataLength = static_cast<std::uint8_t>(b - 0x2B);
    RunningSum += b;
    State = ReceiveState::WaitSequence;
}

void ReplyMachine::OnWaitSequence(std::uint8_t b) {
    if (b < 0x20) {
        State = ReceiveState::WaitStart;
        return;
    }
    Buffer.Sequence = static_cast<std::uint8_t>(b - 0x20);
    RunningSum += b;
    State = ReceiveState::WaitCommand;
}

void ReplyMachine::OnWaitCommand(std::uint8_t b) {
    Buffer.Command = b;
    Index = 0;
    RunningSum += b;
    Buffer.Data[0] = '\0';
    State = DataLength > 0 ? ReceiveState::ReadData : ReceiveState::WaitStatusMark;
}

void ReplyMachine::OnReadData(std::uint8_t b) {
    if (Index < DataLength) {
        Buffer.Data[Index++] = static_cast<char>(b);
        RunningSum += b;
    }
    if (Index == DataLength) {
        Buffer.Data[Index] = '\0';
        State = ReceiveState::WaitStatusMark;
    }
}

void ReplyMachine::OnWaitStatusMark(std::uint8_t b) {
    if (b != kStatusMark) {
        State = ReceiveState::WaitStart;
        return;
    }
    Index = 0;
    RunningSum += b;
    State = ReceiveState::ReadStatus;
}

void ReplyMachine::OnReadStatus(std::uint8_t b) {
    if (Index < kStatusBytes) {
        Buffer.Status[Index++] = b;
        RunningSum += b;
    }
    if (Index == kStatusBytes) State = ReceiveState::WaitPostamble;
}

void ReplyMachine::OnWaitPostamble(std::uint8_t b) {
    if (b != kPostamble) {
        State = ReceiveState::WaitStart;
        return;
    }
    Index = 0;
    ReceivedChecksum = 0;
    RunningSum += b;
    State = ReceiveState::ReadChecksum;
}

void ReplyMachine::OnReadChecksum(std::uint8_t b) {
    // Any byte is taken as a digit: the verdict after the wait catches junk.
    if (Index < 4) {
        ReceivedChecksum = ReceivedChecksum * 16 + static_cast<std::uint32_t>(b - 0x30);
        ++Index;
    }
    if (Index == 4) State = ReceiveState::WaitEnd;
}

void ReplyMachine::OnWaitEnd(std::uint8_t b) {
    State = ReceiveState::WaitStart;
    FrameComplete = true;
    if (b == kEnd) ExchangeDone = true;
}

}  // namespace devicelink
