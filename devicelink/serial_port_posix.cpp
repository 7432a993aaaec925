// POSIX serial ports through termios.
//
// Port n is the device named by the environment variable VEXLOR_COMn, or
// /dev/ttyS{n-1} when that is not set (COM1 is /dev/ttyS0).
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "devicelink/serial_port.h"

namespace devicelink {

namespace {

speed_t SpeedOf(int baud) {
    switch (baud) {
        case 9600: return B9600;
        case 19200: return B19200;
        case 38400: return B38400;
        case 57600: return B57600;
        case 115200: return B115200;
        default: return B9600;
    }
}

class PosixLine final : public SerialLine {
public:
    explicit PosixLine(int fd) : fd_(fd) {}
    ~PosixLine() override { close(fd_); }
    PosixLine(const PosixLine&) = delete;
    PosixLine& operator=(const PosixLine&) = delete;

    std::intptr_t Handle() const override { return fd_; }
    void Flush() override { tcdrain(fd_); }

    void Purge(unsigned flags) override {
        const bool out = flags & (kPurgeTxAbort | kPurgeTxClear);
        const bool in = flags & (kPurgeRxAbort | kPurgeRxClear);
        if (in || out) tcflush(fd_, in && out ? TCIOFLUSH : in ? TCIFLUSH : TCOFLUSH);
    }

    bool Write(const std::uint8_t* bytes, std::size_t count) override {
        while (count > 0) {
            const ssize_t n = write(fd_, bytes, count);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            bytes += n;
            count -= static_cast<std::size_t>(n);
        }
        return true;
    }

    ReadResult ReadByte(std::uint8_t& byte) override {
        const ssize_t n = read(fd_, &byte, 1);
        if (n == 1) return ReadResult::Byte;
        if (n == 0 || errno == EINTR) return ReadResult::Silent;
        return ReadResult::Error;
    }

    void ClearError() override {}

private:
    int fd_;
};

class PosixPorts final : public SerialPortDriver {
public:
    std::unique_ptr<SerialLine> Open(int portNumber, int baud) override {
        const std::string var = "VEXLOR_COM" + std::to_string(portNumber);
        const char* configured = std::getenv(var.c_str());
        const std::string path =
            configured ? configured : "/dev/ttyS" + std::to_string(portNumber - 1);

        const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) return nullptr;
        auto line = std::make_unique<PosixLine>(fd);
        // flock holds against every other open of the device, this
        // process's own included; TIOCEXCL alone does not stop root.
        if (flock(fd, LOCK_EX | LOCK_NB) != 0) return nullptr;
        ioctl(fd, TIOCEXCL);

        termios tio{};
        if (tcgetattr(fd, &tio) != 0) return nullptr;
        cfmakeraw(&tio);
        tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB);
        tio.c_cflag |= CS8 | CLOCAL | CREAD;
        tio.c_cc[VMIN] = 0;
        tio.c_cc[VTIME] = 1;  // tenths of a second
        cfsetispeed(&tio, SpeedOf(baud));
        cfsetospeed(&tio, SpeedOf(baud));
        tcsetattr(fd, TCSANOW, &tio);
        tcflush(fd, TCIOFLUSH);
        return line;
    }

    void LockPages(const void* start, std::size_t size) override {
        const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
        const auto from = reinterpret_cast<std::uintptr_t>(start) & ~(page - 1);
        mlock(reinterpret_cast<const void*>(from),
              reinterpret_cast<std::uintptr_t>(start) + size - from);
    }
};

}  // namespace

SerialPortDriver& SystemSerialPorts() {
    static PosixPorts ports;
    return ports;
}

}  // namespace devicelink
