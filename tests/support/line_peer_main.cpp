// line_peer --link PATH: a pseudo-terminal whose far end answers like
// PtyPeer, for tests of the Win32 serial backend under Wine. PATH becomes a
// symbolic link to the terminal's device. Serves until SIGTERM.
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "tests/support/pty_peer.h"

namespace {
testing_support::PtyPeer* g_peer = nullptr;
void OnSignal(int) { g_peer->Stop(); }
}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || std::strcmp(argv[1], "--link") != 0) {
        std::fprintf(stderr, "usage: line_peer --link PATH\n");
        return 2;
    }
    testing_support::PtyPeer peer;
    if (!peer.Ok()) return 1;
    unlink(argv[2]);
    if (symlink(peer.SlavePath().c_str(), argv[2]) != 0) return 1;
    std::printf("%s\n", peer.SlavePath().c_str());
    std::fflush(stdout);
    g_peer = &peer;
    signal(SIGTERM, OnSignal);
    signal(SIGINT, OnSignal);
    peer.Serve();
    unlink(argv[2]);
    return 0;
}
