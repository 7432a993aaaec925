#include "devicelink/frame.h"

#include <cstring>

namespace devicelink {

std::uint16_t ChecksumOf(const std::uint8_t* bytes, std::size_t count) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < count; ++i) sum += bytes[i];
    return static_cast<std::uint16_t>(sum);
}

void EncodeChecksum(std::uint16_t sum, std::uint8_t* out) {
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<std::uint8_t>(0x30 + ((sum >> (12 - 4 * i)) & 0x0F));
}

namespace {

// Appends postamble, checksum and end byte; `frame[1]` must be LEN.
std::size_t CloseFrame(std::uint8_t* frame, std::size_t pos) {
    frame[pos++] = kPostamble;
    EncodeChecksum(ChecksumOf(frame + 1, pos - 1), frame + pos);
    pos += 4;
    frame[pos++] = kEnd;
    return pos;
}

}  // namespace

std::size_t BuildRequestFrame(std::uint8_t seq, std::uint8_t command, std::string_view data,
                              std::uint8_t* out, std::size_t capacity) {
    if (data.size() > kMaxRequestData || capacity < RequestFrameSize(data.size())) return 0;
    out[0] = kPreamble;
    out[1] = static_cast<std::uint8_t>(0x20 + data.size() + 4);
    out[2] = seq;
    out[3] = command;
    if (!data.empty()) std::memcpy(out + 4, data.data(), data.size());
    return CloseFrame(out, 4 + data.size());
}

std::size_t BuildReplyFrame(std::uint8_t seq, std::uint8_t command, std::string_view data,
                            const std::uint8_t* status, std::uint8_t* out, std::size_t capacity) {
    if (data.size() > kMaxReplyData || capacity < ReplyFrameSize(data.size())) return 0;
    out[0] = kPreamble;
    out[1] = static_cast<std::uint8_t>(0x2B + data.size());
    out[2] = seq;
    out[3] = command;
    if (!data.empty()) std::memcpy(out + 4, data.data(), data.size());
    std::size_t pos = 4 + data.size();
    out[pos++] = kStatusMark;
    std::memcpy(out + pos, status, kStatusBytes);
    pos += kStatusBytes;
    return CloseFrame(out, pos);
}

}  // namespace devicelink
