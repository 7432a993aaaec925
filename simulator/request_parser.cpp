#include "simulator/request_parser.h"

namespace simulator {

using namespace devicelink;

ParseEvent RequestParser::Feed(std::uint8_t b) {
    if (b == kPreamble) {
        state_ = State::Length;
        sum_ = 0;
        return ParseEvent::None;
    }
    switch (state_) {
        case State::WaitStart:
            return ParseEvent::None;
        case State::Length:
            if (b < 0x24 || b > 0x24 + kMaxRequestData) {
                state_ = State::WaitStart;
                return ParseEvent::Refused;
            }
            expected_ = b - 0x24u;
            sum_ = b;
            state_ = State::Seq;
            return ParseEvent::None;
        case State::Seq:
            request_.Seq = b;
            sum_ += b;
            state_ = State::Command;
            return ParseEvent::None;
        case State::Command:
            request_.Command = b;
            sum_ += b;
            index_ = 0;
            state_ = expected_ > 0 ? State::Data : State::Postamble;
            return ParseEvent::None;
        case State::Data:
            request_.Data[index_++] = static_cast<char>(b);
            sum_ += b;
            if (index_ == expected_) state_ = State::Postamble;
            return ParseEvent::None;
        case State::Postamble:
            if (b != kPostamble) break;
            sum_ += b;
            index_ = 0;
            received_ = 0;
            state_ = State::Checksum;
            return ParseEvent::None;
        case State::Checksum:
            if (b < 0x30 || b > 0x3F) break;
            received_ = static_cast<std::uint16_t>(received_ << 4 | (b - 0x30));
            if (++index_ == 4) state_ = State::End;
            return ParseEvent::None;
        case State::End:
            state_ = State::WaitStart;
            if (b != kEnd || received_ != sum_) return ParseEvent::Refused;
            request_.Length = static_cast<std::uint8_t>(expected_);
            return ParseEvent::Request;
    }
    state_ = State::WaitStart;
    return ParseEvent::Refused;
}

}  // namespace simulator
