// The device link: one exchange at a time with the printer over one serial
// port. Synchronous, single-threaded, no allocation per exchange.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "devicelink/frame.h"
#include "devicelink/reply_machine.h"
#include "devicelink/ret_data.h"
#include "devicelink/serial_port.h"

namespace devicelink {

// SendCommand results.
inline constexpr int kSendDone = 0;
inline constexpr int kSendNotReady = -10;     // no OpenPort yet, or an exchange is waiting
inline constexpr int kSendDataTooLong = -11;  // more than kMaxRequestData bytes

inline constexpr std::intptr_t kInvalidPort = -1;

class DeviceLink {
public:
    explicit DeviceLink(SerialPortDriver& ports) : ports_(ports) {}
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // Opens and configures COMn. Returns the port handle, or kInvalidPort.
    // Exchanges are allowed from now on, even when the open failed: they
    // then end as no reply.
    std::intptr_t OpenPort(int portNumber, int baud);

    // Flushes, purges and closes the port; later exchanges end as no reply.
    void ClosePort();

    // Runs one exchange: frames the request, writes it, reads the reply until
    // its end byte or about 5 s of silence, fills RetData and calls
    // `completion` with it. Returns kSendDone whatever the printer answered,
    // or a negative code, without sending or calling `completion`, when the
    // link is not ready or `data` is too long.
    int SendCommand(Completion completion, int tag, int commandCode, std::string_view data);

    // Reads one byte (100 ms time-out) into the reply machine; true when a
    // byte arrived.
    bool ReceiveByte();

    const RetData& Result() const { return ret_; }
    std::intptr_t PortHandle() const { return line_ ? line_->Handle() : kInvalidPort; }
    std::uint8_t SequenceCounter() const { return sequenceCounter_; }
    const ReplyMachine& Machine() const { return machine_; }

private:
    static constexpr int kSilentReadLimit = 50;  // 50 x 100 ms
    static constexpr std::size_t kLockedCodeSize = 8192;

    void FinishReply();
    void AdjustReplyData(std::size_t length);
    void SplitFields();

    SerialPortDriver& ports_;
    std::unique_ptr<SerialLine> line_;
    ReplyMachine machine_;
    std::uint8_t sequenceCounter_ = 0;
    int silentReads_ = 0;
    int currentCommand_ = 0;
    Completion completion_ = nullptr;
    char requestCopy_[kMaxRequestData + 1] = {};
    char replyCopy_[kMaxReplyData + 1] = {};
    std::uint8_t frame_[kMaxRequestFrame] = {};
    RetData ret_;
};

// The device link of the process: the one on the system's serial ports,
// unless a ScopedDeviceLink has put another in its place.
DeviceLink& TheDeviceLink();

// Makes `link` the process's device link for its lifetime (tests drive the
// command wrappers and members through a link on a test double this way).
class ScopedDeviceLink {
public:
    explicit ScopedDeviceLink(DeviceLink& link);
    ~ScopedDeviceLink();
    ScopedDeviceLink(const ScopedDeviceLink&) = delete;
    ScopedDeviceLink& operator=(const ScopedDeviceLink&) = delete;

private:
    DeviceLink* previous_;
};

}  // namespace devicelink
