// The far end of a pseudo-terminal, standing in for the printer in tests of
// the real serial backends. It answers each request frame by what its data
// asks for:
//   "NAK"     one 15h byte
//   "SILENT"  nothing
//   anything else: a reply whose data is the request frame in hex
//                  ("0125214A580530303E3D03"), status bytes 80h.
#pragma once

#include <atomic>
#include <string>
#include <thread>

namespace testing_support {

class PtyPeer {
public:
    PtyPeer();  // opens the pseudo-terminal; Serve() answers on it
    ~PtyPeer();
    PtyPeer(const PtyPeer&) = delete;
    PtyPeer& operator=(const PtyPeer&) = delete;

    bool Ok() const { return master_ >= 0; }
    const std::string& SlavePath() const { return slavePath_; }

    // Answers requests until Stop() (or until the process ends).
    void Serve();
    void ServeInBackground();
    void Stop();

private:
    void Answer(const unsigned char* frame, std::size_t length);

    int master_ = -1;
    std::string slavePath_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace testing_support
