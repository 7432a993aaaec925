// Why the last member failed, as the status members report it. Pure reads
// of the shared state; nothing here talks to the printer.
#pragma once

#include <cstdint>

namespace fiscal {

// GetError's number for a kept status word: 1 for a refusal, else the first
// listed status bit that is set (lowest first), 0 when none is.
std::int32_t ErrorNumberOf(std::uint32_t statusWord);

// True when the last recorded failure came from the line (no reply,
// negative acknowledge, checksum) while the status bytes showed nothing.
bool LastFailureWasLink();

// Status byte FPIndexStatus of the last reply of any kind (0..127).
std::int32_t LastReplyStatusByte();

// Stores an FPIndexStatus index: 0..5, anything else as 0.
void SetStatusIndex(std::int32_t index);

// GetStatusFP: two "W" status queries, the second recorded; true when it
// carried no failure bit.
bool QueryPrinterStatus();

}  // namespace fiscal
