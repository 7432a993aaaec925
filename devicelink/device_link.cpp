#include "devicelink/device_link.h"

#include <cstring>

#include "devicelink/command_names.h"
#include "devicelink/status_word.h"

namespace devicelink {

namespace {

// The receive path proper; its code pages are kept resident so that a
// paged-out routine cannot miss bytes on a slow machine.
bool ReadIntoMachine(SerialLine* line, ReplyMachine& machine, int& silentReads) {
    std::uint8_t b = 0;
    const ReadResult r = line ? line->ReadByte(b) : ReadResult::Error;
    if (r != ReadResult::Byte) {
        if (r == ReadResult::Error) {
            if (line) line->ClearError();
            machine.State = ReceiveState::WaitStart;
        }
        return false;
    }
    silentReads = 0;
    machine.Feed(b);
    return true;
}

}  // namespace

std::intptr_t DeviceLink::OpenPort(int portNumber, int baud) {
    ports_.LockPages(reinterpret_cast<const void*>(&ReadIntoMachine), kLockedCodeSize);
    machine_.ExchangeDone = true;
    // The new open is tried while an earlier line is still held, so a second
    // open of the same port fails as the port is exclusive.
    std::unique_ptr<SerialLine> opened = ports_.Open(portNumber, baud);
    line_ = std::move(opened);
    return PortHandle();
}

void DeviceLink::ClosePort() {
    if (!line_) return;
    line_->Flush();
    line_->Purge(kPurgeTxAbort | kPurgeRxAbort | kPurgeTxClear | kPurgeRxClear);
    line_.reset();
}

bool DeviceLink::ReceiveByte() { return ReadIntoMachine(line_.get(), machine_, silentReads_); }

int DeviceLink::SendCommand(Completion completion, int tag, int commandCode,
                            std::string_view data) {
    if (!machine_.ExchangeDone) return kSendNotReady;
    if (data.size() > kMaxRequestData) return kSendDataTooLong;

    if (!data.empty()) std::memcpy(requestCopy_, data.data(), data.size());
    requestCopy_[data.size()] = '\0';
    currentCommand_ = commandCode;
    ret_.CommandCode = commandCode;
    ret_.CallerTag = tag;
    completion_ = completion;

    ++sequenceCounter_;
    ret_.StatusWord = 0;
    ret_.FieldCount = 0;
    machine_.BeginExchange();

    const std::size_t frameLength =
        BuildRequestFrame(SequenceByte(sequenceCounter_), static_cast<std::uint8_t>(commandCode),
                          data, frame_, sizeof frame_);
    if (line_) {
        line_->Flush();
        line_->Purge(kPurgeTxClear | kPurgeRxClear);
        line_->Write(frame_, frameLength);
    }

    silentReads_ = 0;
    for (;;) {
        while (!machine_.FrameComplete && ReceiveByte()) {
        }
        if (machine_.ExchangeDone) break;
        if (++silentReads_ >= kSilentReadLimit) break;
    }
    machine_.FrameComplete = false;

    FinishReply();
    machine_.ExchangeDone = true;
    if (completion_) completion_(ret_);
    return kSendDone;
}

void DeviceLink::FinishReply() {
    if (machine_.ExchangeDone && machine_.ReceivedChecksum != machine_.RunningSum)
        machine_.Fault |= kFaultChecksum;

    for (std::size_t i = 0; i < kStatusBytes; ++i)
        ret_.StatusByte[i] = machine_.Buffer.Status[i] & 0x7F;

    std::uint32_t word;
    if (!machine_.ExchangeDone)
        word = kStatusNoReply;
    else if (machine_.Fault & kFaultNak)
        word = kStatusNak;
    else if (machine_.Fault & kFaultChecksum)
        word = kStatusChecksumError;
    else
        word = StatusFlagsOf(machine_.Buffer.Status);

    // The reply data is never longer than a frame can carry; the bound also
    // keeps a terminator in place whatever an earlier frame left behind.
    char* data = machine_.Buffer.Data;
    const std::size_t length = strnlen(data, kMaxReplyData);
    data[length] = '\0';
    std::memcpy(replyCopy_, data, length + 1);
    if (length > 1) AdjustReplyData(length);

    ret_.StatusWord = word;
    ret_.CommandName = CommandNameOf(currentCommand_);
    ret_.RequestData = requestCopy_;
    ret_.ReplyText = replyCopy_;
    SplitFields();
}

void DeviceLink::AdjustReplyData(std::size_t length) {
    char* data = machine_.Buffer.Data;
    switch (currentCommand_) {
        case 50:
        case 53:
            // The payment type letter comes glued to the amount.
            std::memmove(data + 2, data + 1, length);  // terminator included
            data[1] = ',';
            break;
        case 62:
            if (length >= 9) data[8] = ',';  // "dd-mm-yy hh:mm:ss"
            break;
        case 90:
            for (std::size_t i = 0; i < length && i < 20; ++i)
                if (data[i] == ' ') data[i] = ',';
            break;
        default:
            break;
    }
}

void DeviceLink::SplitFields() {
    char* p = machine_.Buffer.Data;
    if (*p == '\0') {
        ret_.FieldCount = 0;
        return;
    }
    // At most kMaxFields pieces: the last one keeps the rest of the text,
    // commas and all.
    std::int32_t count = 0;
    ret_.Fields[count++] = p;
    for (; *p != '\0' && count < static_cast<std::int32_t>(kMaxFields); ++p) {
        if (*p == ',') {
            *p = '\0';
            ret_.Fields[count++] = p + 1;
        }
    }
    ret_.FieldCount = count;
}

namespace {
DeviceLink* g_replacement = nullptr;
}

DeviceLink& TheDeviceLink() {
    if (g_replacement) return *g_replacement;
    static DeviceLink link(SystemSerialPorts());
    return link;
}

ScopedDeviceLink::ScopedDeviceLink(DeviceLink& link) : previous_(g_replacement) {
    g_replacement = &link;
}

ScopedDeviceLink::~ScopedDeviceLink() { g_replacement = previous_; }

}  // namespace devicelink
