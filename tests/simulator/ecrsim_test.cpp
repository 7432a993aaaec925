// The ecrsim program over a real pseudo-terminal: start it with --link,
// send a frame, read the reply, use the control socket, stop it with
// SIGTERM.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "devicelink/frame.h"
#include "tests/support/fake_port.h"

namespace {

namespace fs = std::filesystem;

// Reads until `done` says so or `ms` pass without a byte.
std::vector<std::uint8_t> ReadUntil(int fd, int ms, bool (*done)(const std::vector<std::uint8_t>&)) {
    std::vector<std::uint8_t> got;
    while (!done(got)) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, ms) <= 0) break;
        std::uint8_t buf[256];
        const ssize_t n = read(fd, buf, sizeof buf);
        if (n <= 0) break;
        got.insert(got.end(), buf, buf + n);
    }
    return got;
}

bool EndsWithEndByte(const std::vector<std::uint8_t>& b) { return !b.empty() && b.back() == 0x03; }
bool HasNak(const std::vector<std::uint8_t>& b) { return !b.empty() && b.back() == 0x15; }
bool HasNewline(const std::vector<std::uint8_t>& b) { return !b.empty() && b.back() == '\n'; }

class EcrsimTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("ecrsim-test-" + std::to_string(getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        fs::remove_all(dir);
    }

    fs::path dir;
    pid_t pid = -1;
};

TEST_F(EcrsimTest, ServesAFrameOverThePseudoTerminalAndStopsOnSigterm) {
    const std::string link = (dir / "printer").string();
    const std::string control = (dir / "control").string();
    const std::string journal = (dir / "journal.txt").string();
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        dup2(out[1], 1);
        close(out[0]);
        execl(ECRSIM_PATH, "ecrsim", "--link", link.c_str(), "--control", control.c_str(),
              "--journal", journal.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    const std::vector<std::uint8_t> printed = ReadUntil(out[0], 5000, HasNewline);
    close(out[0]);
    const std::string device(printed.begin(), printed.end());
    ASSERT_FALSE(device.empty()) << "ecrsim printed no device path";
    EXPECT_EQ(fs::read_symlink(link).string() + "\n", device);

    const int fd = open(link.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    termios tio{};
    tcgetattr(fd, &tio);
    cfmakeraw(&tio);
    tcsetattr(fd, TCSANOW, &tio);

    const std::uint8_t status[] = {0x01, 0x25, 0x21, 0x4A, 0x58, 0x05, 0x30, 0x30, 0x3E, 0x3D, 0x03};
    ASSERT_EQ(write(fd, status, sizeof status), static_cast<ssize_t>(sizeof status));
    const std::vector<std::uint8_t> reply = ReadUntil(fd, 3000, EndsWithEndByte);
    ASSERT_EQ(reply.size(), devicelink::ReplyFrameSize(0)) << testing_support::Hex(reply);
    EXPECT_EQ(reply[2], 0x21);
    EXPECT_EQ(reply[3], 0x4A);

    // A fault through the control socket.
    const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strncpy(addr.sun_path, control.c_str(), sizeof addr.sun_path - 1);
    ASSERT_EQ(connect(sock, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ASSERT_EQ(write(sock, "nak\n", 4), 4);
    const std::vector<std::uint8_t> answer = ReadUntil(sock, 3000, HasNewline);
    EXPECT_EQ(std::string(answer.begin(), answer.end()), "ok\n");
    close(sock);
    std::uint8_t frame[devicelink::kMaxRequestFrame];
    const std::size_t n = devicelink::BuildRequestFrame(0x22, 74, "W", frame, sizeof frame);
    ASSERT_EQ(write(fd, frame, n), static_cast<ssize_t>(n));
    EXPECT_EQ(testing_support::Hex(ReadUntil(fd, 3000, HasNak)), "15");

    // Something printed reaches the journal file.
    const std::size_t m = devicelink::BuildRequestFrame(0x23, 38, "", frame, sizeof frame);
    ASSERT_EQ(write(fd, frame, m), static_cast<ssize_t>(m));
    EXPECT_TRUE(EndsWithEndByte(ReadUntil(fd, 3000, EndsWithEndByte)));
    close(fd);

    ASSERT_EQ(kill(pid, SIGTERM), 0);
    int wstatus = 0;
    ASSERT_EQ(waitpid(pid, &wstatus, 0), pid);
    pid = -1;
    ASSERT_TRUE(WIFEXITED(wstatus)) << "status " << wstatus;
    EXPECT_EQ(WEXITSTATUS(wstatus), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
    EXPECT_GT(fs::file_size(journal), 0u);
}

}  // namespace
