// Frame layout shared by both ends of the serial line.
//
// Request (host -> printer):
//   01 LEN SEQ CMD data... 05 C C C C 03        LEN = 20h + n + 4
// Reply (printer -> host):
//   01 LEN SEQ CMD data... 04 S0..S5 05 C C C C 03   LEN = 2Bh + m
//
// The checksum is the 16-bit sum of the bytes from LEN through the 05h
// postamble, sent as four characters 30h + nibble, most significant first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace devicelink {

inline constexpr std::uint8_t kPreamble = 0x01;
inline constexpr std::uint8_t kEnd = 0x03;
inline constexpr std::uint8_t kStatusMark = 0x04;
inline constexpr std::uint8_t kPostamble = 0x05;
inline constexpr std::uint8_t kNak = 0x15;
inline constexpr std::uint8_t kWait = 0x16;

// The printer accepts at most 85 data bytes in one request.
inline constexpr std::size_t kMaxRequestData = 85;
// LEN is one byte, so a reply carries at most FFh - 2Bh data bytes.
inline constexpr std::size_t kMaxReplyData = 0xFF - 0x2B;
inline constexpr std::size_t kStatusBytes = 6;

inline constexpr std::size_t RequestFrameSize(std::size_t dataLength) { return dataLength + 10; }
inline constexpr std::size_t ReplyFrameSize(std::size_t dataLength) { return dataLength + 17; }
inline constexpr std::size_t kMaxRequestFrame = RequestFrameSize(kMaxRequestData);
inline constexpr std::size_t kMaxReplyFrame = ReplyFrameSize(kMaxReplyData);

// SEQ byte for a sequence counter value: always 20h..7Eh.
inline constexpr std::uint8_t SequenceByte(std::uint8_t counter) {
    return static_cast<std::uint8_t>(0x20 + counter % 95);
}

std::uint16_t ChecksumOf(const std::uint8_t* bytes, std::size_t count);

// Writes the four checksum characters of `sum` to out[0..3].
void EncodeChecksum(std::uint16_t sum, std::uint8_t* out);

// Builds a request frame into `out`; returns its length, or 0 when the data
// is longer than kMaxRequestData or `capacity` is too small.
std::size_t BuildRequestFrame(std::uint8_t seq, std::uint8_t command, std::string_view data,
                              std::uint8_t* out, std::size_t capacity);

// Builds a reply frame (the printer's side) into `out`; `status` holds the
// six status bytes as they go on the line. Returns the length, or 0 when the
// data is longer than kMaxReplyData or `capacity` is too small.
std::size_t BuildReplyFrame(std::uint8_t seq, std::uint8_t command, std::string_view data,
                            const std::uint8_t* status, std::uint8_t* out, std::size_t capacity);

}  // namespace devicelink
