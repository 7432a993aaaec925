#include "fiscal/status.h"

#include "fiscal/call_pattern.h"
#include "fiscal/object_state.h"

namespace fiscal {

namespace {

struct ErrorBit {
    std::uint32_t Bits;
    std::int32_t Number;
};

// Checked top to bottom; 9 and 13 have no bit. Bit 19 fails a member but
// has no number.
constexpr ErrorBit kErrorBits[] = {
    {0x00000001, 2},  {0x00000002, 3},  {0x00000004, 4},  {0x00000008, 5},
    {0x00000010, 6},  {0x00000020, 7},  {0x00000040, 8},  {0x00000100, 10},
    {0x00000200, 11}, {0x00002000, 12}, {0x00010000, 14}, {0x00020000, 15},
    {0x00040000, 16}, {0x01000000, 17}, {0x02000000, 18}, {0x04000000, 19},
    {0x18000000, 20},
};

}  // namespace

std::int32_t ErrorNumberOf(std::uint32_t statusWord) {
    if (statusWord == kRefusedStatusWord) return 1;
    for (const ErrorBit& e : kErrorBits)
        if (statusWord & e.Bits) return e.Number;
    return 0;
}

bool LastFailureWasLink() {
    const ObjectState& s = State();
    if (s.OperationState != kDeviceFailed) return false;
    for (std::uint8_t b : s.SavedStatusBytes)
        if (b != 0) return false;
    return true;
}

std::int32_t LastReplyStatusByte() { return State().LastReply.StatusByte[State().FPIndexStatus]; }

void SetStatusIndex(std::int32_t index) { State().FPIndexStatus = index >= 0 && index <= 5 ? index : 0; }

bool QueryPrinterStatus() {
    if (!ConnectionGuard()) return false;
    LeadingStatusQuery();
    return StatusPreCheck() && RecordOutcome();
}

}  // namespace fiscal
