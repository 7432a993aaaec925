// Faults on demand: each applies to the next N complete requests.
//
//   nak [N]              answer 15h and do not run the command
//   bad-checksum [N]     run the command, send its reply with a wrong checksum
//   early-end [N]        run the command, end its reply with 03h inside the checksum
//   junk [N]             run the command, send a junk byte in place of the end byte
//   wait MS [N]          send 16h bytes for MS milliseconds before the reply
//   status BIT... [N]    add the named status bits to the reply
//   paper-out [N]        report paper out; printing commands are refused
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "simulator/status_bits.h"

namespace simulator {

enum class FaultKind { Nak, BadChecksum, EarlyEnd, Junk, Wait, Status, PaperOut };

struct Fault {
    FaultKind Kind = FaultKind::Nak;
    int Remaining = 1;
    std::int64_t WaitMicros = 0;
    StatusBytes Bits;
};

// Reads one fault command; false with a reason when it is not one.
bool ParseFault(std::string_view line, Fault& fault, std::string& error);

// What the faults do to one request.
struct FaultEffect {
    bool Nak = false, BadChecksum = false, EarlyEnd = false, Junk = false, PaperOut = false;
    std::int64_t WaitMicros = 0;
    StatusBytes Bits;
};

class FaultPlan {
public:
    void Add(const Fault& f) { faults_.push_back(f); }
    void Clear() { faults_.clear(); }
    bool Empty() const { return faults_.empty(); }
    // The effect on the next request; every active fault counts down once.
    FaultEffect Next();

private:
    std::vector<Fault> faults_;
};

}  // namespace simulator
