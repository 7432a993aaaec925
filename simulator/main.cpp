// ecrsim: the virtual QZ4417R on a pseudo-terminal.
//
// Creates a pseudo-terminal, links the given path to its device, prints the
// device path and serves the printer on it until SIGINT or SIGTERM. A
// control channel (UNIX socket, or an existing FIFO) takes one command per
// line.
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "simulator/clock.h"
#include "simulator/engine.h"
#include "simulator/journal.h"
#include "simulator/status_bits.h"

namespace {

using simulator::Engine;

constexpr std::size_t kMaxControlLine = 256;
constexpr std::size_t kMaxControlClients = 8;

const char kUsage[] =
    "usage: ecrsim --link PATH [--journal FILE] [--control PATH] [--state FILE] [--baud N]\n";

void PrintHelp() {
    std::printf("%s", kUsage);
    std::printf(
        "\nA virtual QZ4417R fiscal printer on a pseudo-terminal.\n\n"
        "Options:\n"
        "  --link PATH      create a pseudo-terminal and make PATH a symbolic link to its\n"
        "                   device (an existing link is replaced); the device path is\n"
        "                   printed on standard output\n"
        "  --journal FILE   append everything printed, display changes and drawer\n"
        "                   openings to FILE (UTF-8, laid out like the paper roll)\n"
        "  --control PATH   take control commands, one per line: from PATH when it is\n"
        "                   an existing FIFO, else on a UNIX socket created at PATH\n"
        "                   (each command is answered \"ok\" or \"error: ...\")\n"
        "  --state FILE     keep articles, operators, passwords, totals, Z records and\n"
        "                   the electronic journal in FILE across restarts\n"
        "  --baud N         pace the output like a line at N baud (default: no pacing)\n"
        "  --help           this text\n\n"
        "Control commands (faults apply to the next N requests, N defaults to 1):\n"
        "  power off | power on    silent while off\n"
        "  clock reset             the clock must be set again (command 61)\n"
        "  clear                   drop the pending faults\n"
        "  nak [N]                 answer 15h without running the command\n"
        "  bad-checksum [N]        reply with a wrong checksum\n"
        "  early-end [N]           end the reply with 03h inside the checksum\n"
        "  junk [N]                a junk byte in place of the reply's end byte\n"
        "  wait MS [N]             send 16h every 60 ms for MS ms before the reply\n"
        "  status BIT... [N]       add the named status bits to the reply\n"
        "  paper-out [N]           report paper out; printing commands are refused\n\n"
        "Status bits (byte.bit name; fail bits make the server's call fail):\n");
    for (std::size_t i = 0; i < simulator::kStatusBitCount; ++i) {
        const simulator::StatusBitInfo& b = simulator::kStatusBitTable[i];
        std::printf("  S%u.%u %-18s %-4s %s\n", unsigned{b.Bit.Byte}, unsigned{b.Bit.Bit}, b.Name,
                    b.Failure ? "fail" : "info", b.Meaning);
    }
    std::printf(
        "  Every status byte has bit 7 set; S3 is always 80h.\n\n"
        "Factory state: operators 1 to 16 named \"Operator N\" with password \"0000\";\n"
        "report (administrator) password \"0000\"; empty article table of 14800 slots;\n"
        "no Z records; the clock set from the host; fiscalised, with serial number\n"
        "QZ17000123 and fiscal number 4417000123.\n");
}

int g_signalPipe[2] = {-1, -1};

void OnSignal(int) {
    const char b = 1;
    (void)!write(g_signalPipe[1], &b, 1);
}

bool SetNonBlocking(int fd) {
    const int flags = fcntl(fd, F_GETFL);
    return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

struct Options {
    std::string Link, Journal, Control, State;
    int Baud = 0;
};

// Returns 0 to go on, or the exit code.
int ParseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help") {
            PrintHelp();
            return -1;
        }
        if (i + 1 >= argc) {
            std::fprintf(stderr, "ecrsim: %s needs a value\n%s", arg.c_str(), kUsage);
            return 2;
        }
        const std::string value = argv[++i];
        if (arg == "--link") o.Link = value;
        else if (arg == "--journal") o.Journal = value;
        else if (arg == "--control") o.Control = value;
        else if (arg == "--state") o.State = value;
        else if (arg == "--baud") {
            char* end = nullptr;
            const long baud = std::strtol(value.c_str(), &end, 10);
            if (*end || baud < 50 || baud > 4000000) {
                std::fprintf(stderr, "ecrsim: bad baud rate %s\n", value.c_str());
                return 2;
            }
            o.Baud = static_cast<int>(baud);
        } else {
            std::fprintf(stderr, "ecrsim: unknown option %s\n%s", arg.c_str(), kUsage);
            return 2;
        }
    }
    if (o.Link.empty()) {
        std::fprintf(stderr, "ecrsim: --link is required\n%s", kUsage);
        return 2;
    }
    return 0;
}

// The pseudo-terminal: the master is ours, the slave side is the printer's
// port. A slave descriptor stays open so that the master never sees a
// hang-up while no client has the port open.
struct Terminal {
    int Master = -1;
    int Slave = -1;
    std::string Device;
};

bool OpenTerminal(Terminal& t) {
    t.Master = posix_openpt(O_RDWR | O_NOCTTY);
    if (t.Master < 0 || grantpt(t.Master) != 0 || unlockpt(t.Master) != 0) return false;
    const char* name = ptsname(t.Master);
    if (!name) return false;
    t.Device = name;
    t.Slave = open(name, O_RDWR | O_NOCTTY);
    if (t.Slave < 0) return false;
    termios tio{};
    if (tcgetattr(t.Slave, &tio) != 0) return false;
    cfmakeraw(&tio);
    tcsetattr(t.Slave, TCSANOW, &tio);
    return SetNonBlocking(t.Master);
}

bool LinkDevice(const std::string& link, const std::string& device) {
    struct stat st{};
    if (lstat(link.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            std::fprintf(stderr, "ecrsim: %s exists and is not a symbolic link\n", link.c_str());
            return false;
        }
        unlink(link.c_str());
    }
    if (symlink(device.c_str(), link.c_str()) != 0) {
        std::fprintf(stderr, "ecrsim: cannot link %s: %s\n", link.c_str(), std::strerror(errno));
        return false;
    }
    return true;
}

// One source of control lines: the FIFO, or one socket client.
struct ControlSource {
    int Fd = -1;
    bool Answers = false;  // a socket client gets an answer per line
    std::string Pending;
    bool Overlong = false;
};

class ControlChannel {
public:
    ~ControlChannel() {
        for (ControlSource& s : sources_) close(s.Fd);
        if (listener_ >= 0) {
            close(listener_);
            unlink(path_.c_str());
        }
        if (fifoWriter_ >= 0) close(fifoWriter_);
    }

    bool Open(const std::string& path) {
        path_ = path;
        struct stat st{};
        if (stat(path.c_str(), &st) == 0 && S_ISFIFO(st.st_mode)) {
            const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK);
            // Our own writer keeps the FIFO from reading as closed between
            // the writers that come and go.
            fifoWriter_ = open(path.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd < 0) return false;
            sources_.push_back({fd, false, {}, false});
            return true;
        }
        if (lstat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode)) unlink(path.c_str());
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        if (path.size() >= sizeof addr.sun_path) return false;
        std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
        listener_ = socket(AF_UNIX, SOCK_STREAM, 0);
        return listener_ >= 0 && bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
               listen(listener_, 4) == 0 && SetNonBlocking(listener_);
    }

    void AddPollFds(std::vector<pollfd>& fds) const {
        if (listener_ >= 0) fds.push_back({listener_, POLLIN, 0});
        for (const ControlSource& s : sources_) fds.push_back({s.Fd, POLLIN, 0});
    }

    void Service(const std::vector<pollfd>& fds, Engine& engine) {
        for (const pollfd& p : fds) {
            if (!(p.revents & (POLLIN | POLLHUP | POLLERR))) continue;
            if (p.fd == listener_) {
                Accept();
                continue;
            }
            for (ControlSource& s : sources_)
                if (s.Fd == p.fd) ReadFrom(s, engine);
        }
        std::erase_if(sources_, [](const ControlSource& s) { return s.Fd < 0; });
    }

private:
    void Accept() {
        const int fd = accept(listener_, nullptr, nullptr);
        if (fd < 0) return;
        if (sources_.size() >= kMaxControlClients || !SetNonBlocking(fd)) {
            close(fd);
            return;
        }
        sources_.push_back({fd, true, {}, false});
    }

    void ReadFrom(ControlSource& s, Engine& engine) {
        char buf[256];
        const ssize_t n = read(s.Fd, buf, sizeof buf);
        if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) {
            if (s.Answers) {
                close(s.Fd);
                s.Fd = -1;
            }
            return;
        }
        for (ssize_t i = 0; i < n; ++i) {
            if (buf[i] != '\n') {
                // Overlong lines are dropped whole, never cut into commands.
                if (s.Pending.size() < kMaxControlLine) s.Pending += buf[i];
                else s.Overlong = true;
                continue;
            }
            if (!s.Pending.empty() && s.Pending.back() == '\r') s.Pending.pop_back();
            std::string answer = s.Overlong ? "error: line too long" : engine.Control(s.Pending);
            std::fprintf(stderr, "ecrsim: control: %s -> %s\n", s.Pending.c_str(), answer.c_str());
            if (s.Answers) {
                answer += '\n';
                (void)!write(s.Fd, answer.data(), answer.size());
            }
            s.Pending.clear();
            s.Overlong = false;
        }
    }

    std::string path_;
    int listener_ = -1;
    int fifoWriter_ = -1;
    std::vector<ControlSource> sources_;
};

int Serve(const Options& o) {
    simulator::SystemClock clock;
    std::unique_ptr<simulator::FileJournal> journal;
    if (!o.Journal.empty()) {
        journal = std::make_unique<simulator::FileJournal>(o.Journal);
        if (!journal->IsOpen()) {
            std::fprintf(stderr, "ecrsim: cannot open journal %s\n", o.Journal.c_str());
            return 1;
        }
    }
    Engine engine(clock, journal.get());
    engine.SetBaud(o.Baud);
    std::string error;
    if (!o.State.empty() && !engine.UseStateFile(o.State, error)) {
        std::fprintf(stderr, "ecrsim: %s\n", error.c_str());
        return 1;
    }

    Terminal term;
    if (!OpenTerminal(term)) {
        std::fprintf(stderr, "ecrsim: cannot create a pseudo-terminal: %s\n", std::strerror(errno));
        return 1;
    }
    ControlChannel control;
    if (!o.Control.empty() && !control.Open(o.Control)) {
        std::fprintf(stderr, "ecrsim: cannot open control channel %s\n", o.Control.c_str());
        return 1;
    }
    if (pipe(g_signalPipe) != 0 || !SetNonBlocking(g_signalPipe[1])) return 1;
    struct sigaction sa{};
    sa.sa_handler = OnSignal;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    if (!LinkDevice(o.Link, term.Device)) return 1;
    std::printf("%s\n", term.Device.c_str());
    std::fflush(stdout);

    std::vector<std::uint8_t> unsent;
    for (;;) {
        if (unsent.empty()) {
            std::uint8_t buf[512];
            const std::size_t n = engine.ReadDue(buf, sizeof buf);
            unsent.assign(buf, buf + n);
        }
        if (!unsent.empty()) {
            const ssize_t n = write(term.Master, unsent.data(), unsent.size());
            if (n > 0) unsent.erase(unsent.begin(), unsent.begin() + n);
        }

        std::vector<pollfd> fds{{g_signalPipe[0], POLLIN, 0},
                                {term.Master, static_cast<short>(POLLIN | (unsent.empty() ? 0 : POLLOUT)), 0}};
        control.AddPollFds(fds);
        int timeout = -1;
        const std::int64_t due = engine.NextDueMicros();
        if (!unsent.empty()) timeout = 10;
        else if (due != Engine::kNothingDue)
            timeout = static_cast<int>(std::max<std::int64_t>(0, (due - clock.NowMicros() + 999) / 1000));
        if (poll(fds.data(), fds.size(), timeout) < 0 && errno != EINTR) break;
        if (fds[0].revents & POLLIN) break;
        if (fds[1].revents & POLLIN) {
            std::uint8_t buf[512];
            const ssize_t n = read(term.Master, buf, sizeof buf);
            if (n > 0) engine.Receive(buf, static_cast<std::size_t>(n));
        }
        control.Service(fds, engine);
    }
    unlink(o.Link.c_str());
    close(term.Slave);
    close(term.Master);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    const int parsed = ParseOptions(argc, argv, o);
    if (parsed != 0) return parsed < 0 ? 0 : parsed;
    return Serve(o);
}
