// Win32 serial ports: "\\.\COMn", exclusive, synchronous.
#include <windows.h>

#include <cstdio>

#include "devicelink/serial_port.h"

namespace devicelink {

namespace {

constexpr DWORD kQueueSize = 1024;
constexpr DWORD kReadTimeoutMs = 100;

class Win32Line final : public SerialLine {
public:
    explicit Win32Line(HANDLE handle) : handle_(handle) {}
    ~Win32Line() override { CloseHandle(handle_); }
    Win32Line(const Win32Line&) = delete;
    Win32Line& operator=(const Win32Line&) = delete;

    std::intptr_t Handle() const override { return reinterpret_cast<std::intptr_t>(handle_); }
    void Flush() override { FlushFileBuffers(handle_); }
    void Purge(unsigned flags) override { PurgeComm(handle_, flags); }

    bool Write(const std::uint8_t* bytes, std::size_t count) override {
        DWORD written = 0;
        return WriteFile(handle_, bytes, static_cast<DWORD>(count), &written, nullptr) &&
               written == count;
    }

    ReadResult ReadByte(std::uint8_t& byte) override {
        DWORD got = 0;
        if (!ReadFile(handle_, &byte, 1, &got, nullptr)) return ReadResult::Error;
        return got == 1 ? ReadResult::Byte : ReadResult::Silent;
    }

    void ClearError() override {
        DWORD errors = 0;
        COMSTAT status{};
        ClearCommError(handle_, &errors, &status);
    }

private:
    HANDLE handle_;
};

class Win32Ports final : public SerialPortDriver {
public:
    std::unique_ptr<SerialLine> Open(int portNumber, int baud) override {
        char name[32];
        std::snprintf(name, sizeof name, "\\\\.\\COM%d", portNumber);
        HANDLE h = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                               nullptr);
        if (h == INVALID_HANDLE_VALUE) return nullptr;
        auto line = std::make_unique<Win32Line>(h);

        // The printer needs none of the results: a badly configured line
        // shows up as a missing reply.
        SetupComm(h, kQueueSize, kQueueSize);
        DCB dcb{};
        dcb.DCBlength = sizeof dcb;
        GetCommState(h, &dcb);
        dcb.BaudRate = static_cast<DWORD>(baud);
        dcb.ByteSize = 8;
        dcb.Parity = NOPARITY;
        dcb.StopBits = ONESTOPBIT;
        SetCommState(h, &dcb);
        COMMTIMEOUTS timeouts{};
        timeouts.ReadTotalTimeoutConstant = kReadTimeoutMs;
        SetCommTimeouts(h, &timeouts);
        PurgeComm(h, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
        return line;
    }

    void LockPages(const void* start, std::size_t size) override {
        VirtualLock(const_cast<void*>(start), size);
    }
};

}  // namespace

SerialPortDriver& SystemSerialPorts() {
    static Win32Ports ports;
    return ports;
}

}  // namespace devicelink
