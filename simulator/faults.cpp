#include "simulator/faults.h"

#include "simulator/text.h"

namespace simulator {

namespace {

constexpr std::int64_t kMaxWaitMillis = 600000;
constexpr std::int64_t kMaxCount = 1000000;

struct FaultName {
    const char* Name;
    FaultKind Kind;
};

constexpr FaultName kFaultNames[] = {
    {"nak", FaultKind::Nak},          {"bad-checksum", FaultKind::BadChecksum},
    {"early-end", FaultKind::EarlyEnd}, {"junk", FaultKind::Junk},
    {"wait", FaultKind::Wait},        {"status", FaultKind::Status},
    {"paper-out", FaultKind::PaperOut},
};

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    for (std::string_view w : SplitFields(line, ' '))
        if (!w.empty()) words.push_back(w);
    return words;
}

}  // namespace

bool ParseFault(std::string_view line, Fault& fault, std::string& error) {
    std::vector<std::string_view> words = Words(line);
    if (words.empty()) {
        error = "empty command";
        return false;
    }
    const FaultName* name = nullptr;
    for (const FaultName& n : kFaultNames)
        if (words[0] == n.Name) name = &n;
    if (!name) {
        error = "unknown command '" + std::string(words[0]) + "'";
        return false;
    }
    Fault f;
    f.Kind = name->Kind;
    std::size_t next = 1;
    if (f.Kind == FaultKind::Wait) {
        std::int64_t ms;
        if (words.size() < 2 || !ParseInteger(words[1], ms) || ms < 0 || ms > kMaxWaitMillis) {
            error = "wait needs milliseconds (0..600000)";
            return false;
        }
        f.WaitMicros = ms * 1000;
        next = 2;
    }
    if (f.Kind == FaultKind::Status) {
        while (next < words.size()) {
            const StatusBitInfo* bit = FindStatusBit(words[next]);
            if (!bit) break;
            f.Bits.Set(bit->Bit);
            ++next;
        }
        if (!f.Bits.Any()) {
            error = "status needs one or more bit names";
            return false;
        }
    }
    if (next < words.size()) {
        std::int64_t count;
        if (!ParseInteger(words[next], count) || count < 1 || count > kMaxCount) {
            error = "bad count '" + std::string(words[next]) + "'";
            return false;
        }
        f.Remaining = static_cast<int>(count);
        ++next;
    }
    if (next != words.size()) {
        error = "unexpected '" + std::string(words[next]) + "'";
        return false;
    }
    fault = f;
    return true;
}

FaultEffect FaultPlan::Next() {
    FaultEffect e;
    for (Fault& f : faults_) {
        switch (f.Kind) {
            case FaultKind::Nak: e.Nak = true; break;
            case FaultKind::BadChecksum: e.BadChecksum = true; break;
            case FaultKind::EarlyEnd: e.EarlyEnd = true; break;
            case FaultKind::Junk: e.Junk = true; break;
            case FaultKind::Wait: e.WaitMicros += f.WaitMicros; break;
            case FaultKind::Status: e.Bits.Merge(f.Bits); break;
            case FaultKind::PaperOut: e.PaperOut = true; break;
        }
        --f.Remaining;
    }
    std::erase_if(faults_, [](const Fault& f) { return f.Remaining <= 0; });
    return e;
}

}  // namespace simulator
