// The serial port behind the device link. One backend per platform (chosen
// by the build: serial_port_win32.cpp or serial_port_posix.cpp) and test
// doubles implement it, so the exchange logic above is the same everywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace devicelink {

enum class ReadResult {
    Byte,    // one byte arrived
    Silent,  // nothing arrived within about 100 ms
    Error,   // the read failed; ClearError lets reading go on
};

// The Win32 PurgeComm values.
enum PurgeFlags : unsigned {
    kPurgeTxAbort = 0x01,
    kPurgeRxAbort = 0x02,
    kPurgeTxClear = 0x04,
    kPurgeRxClear = 0x08,
};

// An open, configured port: 8 data bits, no parity, one stop bit, one-byte
// reads that give up after 100 ms of silence, writes without a time-out.
class SerialLine {
public:
    virtual ~SerialLine() = default;
    // The system handle as an integer (never -1 for an open line).
    virtual std::intptr_t Handle() const = 0;
    // Waits until everything written so far has left the driver.
    virtual void Flush() = 0;
    virtual void Purge(unsigned flags) = 0;
    virtual bool Write(const std::uint8_t* bytes, std::size_t count) = 0;
    virtual ReadResult ReadByte(std::uint8_t& byte) = 0;
    virtual void ClearError() = 0;
};

class SerialPortDriver {
public:
    virtual ~SerialPortDriver() = default;
    // Opens port n exclusively and configures it; both directions are purged
    // with abort. Null when the device cannot be opened or is held already.
    virtual std::unique_ptr<SerialLine> Open(int portNumber, int baud) = 0;
    // Keeps `size` bytes from `start` resident in memory; failures are ignored.
    virtual void LockPages(const void* start, std::size_t size) = 0;
};

// The platform's serial ports.
SerialPortDriver& SystemSerialPorts();

}  // namespace devicelink
