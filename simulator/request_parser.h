// The printer's side of the request frame: a push parser, bytes in, one
// event out per byte, no I/O inside.
//
//   01 LEN SEQ CMD data... 05 C C C C 03      LEN = 20h + n + 4, n <= 85
//
// A preamble restarts the frame from any state. A frame whose LEN is out of
// range, whose postamble or end byte is missing or whose checksum is wrong is
// refused (the printer answers 15h); after a LEN out of range the parser
// waits for the next preamble. Bytes between frames are ignored.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "devicelink/frame.h"

namespace simulator {

struct Request {
    std::uint8_t Seq = 0;
    std::uint8_t Command = 0;
    std::uint8_t Length = 0;
    char Data[devicelink::kMaxRequestData] = {};
    std::string_view DataText() const { return {Data, Length}; }
};

enum class ParseEvent {
    None,     // byte consumed, nothing complete
    Request,  // a valid request is in Parsed()
    Refused,  // a broken frame ended: answer 15h
};

class RequestParser {
public:
    ParseEvent Feed(std::uint8_t byte);
    // Drops a partly received frame (the line fell silent inside it).
    void Reset() { state_ = State::WaitStart; }
    bool InsideFrame() const { return state_ != State::WaitStart; }
    const Request& Parsed() const { return request_; }

private:
    enum class State { WaitStart, Length, Seq, Command, Data, Postamble, Checksum, End };

    State state_ = State::WaitStart;
    Request request_;
    std::size_t expected_ = 0;
    std::size_t index_ = 0;
    std::uint16_t sum_ = 0;
    std::uint16_t received_ = 0;
};

}  // namespace simulator
