#include "simulator/engine.h"

#include <algorithm>

#include "devicelink/frame.h"
#include "simulator/commands.h"
#include "simulator/state_file.h"
#include "simulator/text.h"

namespace simulator {

using namespace devicelink;

Engine::Engine(Clock& clock, JournalSink* journal) : clock_(clock), paper_(journal) {
    state_.PersonalisedAt = clock_.LocalSeconds();
}

std::int64_t Engine::PrinterSeconds() const { return clock_.LocalSeconds() + state_.ClockOffset; }

void Engine::Receive(const std::uint8_t* bytes, std::size_t count) {
    if (!powered_) return;
    const std::int64_t now = clock_.NowMicros();
    if (parser_.InsideFrame() && now - lastByteAt_ > kInterByteTimeout) parser_.Reset();
    lastByteAt_ = now;
    for (std::size_t i = 0; i < count; ++i) {
        const ParseEvent e = parser_.Feed(bytes[i]);
        if (e == ParseEvent::None || Sending()) continue;
        if (e == ParseEvent::Refused) {
            Queue(&kNak, 1, now);
            continue;
        }
        Serve(parser_.Parsed());
    }
}

bool Engine::SameAsLast(const Request& r) const {
    return haveLast_ && r.Seq == lastRequest_.Seq && r.Command == lastRequest_.Command &&
           r.DataText() == lastRequest_.DataText();
}

StatusBytes Engine::StandingStatus(bool paperOut) const {
    StatusBytes s;
    const Receipt& rc = state_.Open;
    if (rc.Fiscal()) s.Set(status::kFiscalReceipt);
    if (rc.Kind == ReceiptKind::Refund) s.Set(status::kRefundReceipt);
    if (rc.Kind == ReceiptKind::NonFiscal) s.Set(status::kNonFiscalReceipt);
    if (rc.Fiscal() && rc.Paying && rc.Paid >= rc.Total()) s.Set(status::kReceiptPaid);
    if (!state_.ClockSet) s.Set(status::kClockNotSet);
    if (paperOut) s.Set(status::kPaperOut);
    if (state_.ZRecords.size() >= kZRecordsNearFull) s.Set(status::kFmNearFull);
    if (state_.Journal.size() >= kJournalNearFull) s.Set(status::kEjNearFull);
    s.Set(status::kTaxRatesSet);
    s.Set(status::kFiscalised);
    s.Set(status::kNumbersSet);
    return s;
}

void Engine::Serve(const Request& request) {
    const std::int64_t now = clock_.NowMicros();
    const FaultEffect fault = faults_.Next();
    if (fault.Nak) {
        Queue(&kNak, 1, now);
        return;
    }
    std::int64_t replyAt = now + fault.WaitMicros;
    if (!SameAsLast(request)) {
        CommandContext c(state_, paper_, PrinterSeconds(), fault.PaperOut);
        const CommandHandler handler = FindCommand(request.Command);
        // Without a set clock only the status, the clock and identity
        // commands run.
        const bool clockFree = request.Command == 61 || request.Command == 62 ||
                               request.Command == 74 || request.Command == 90 ||
                               request.Command == 255;
        if (!handler)
            c.Fail(status::kInvalidCommand);
        else if (state_.ClockSet || clockFree || RequireClock(c))
            handler(c, request.DataText());
        if (c.Reply.size() > kMaxReplyData) c.Reply.resize(kMaxReplyData);

        StatusBytes bits = StandingStatus(fault.PaperOut);
        bits.Merge(c.Errors);
        std::uint8_t wire[kStatusBytes];
        bits.Wire(wire);
        lastReply_.assign(kMaxReplyFrame, 0);
        lastReply_.resize(BuildReplyFrame(request.Seq, request.Command, c.Reply, wire,
                                          lastReply_.data(), lastReply_.size()));
        lastRequest_ = request;
        haveLast_ = true;
        replyAt += c.DurationMicros;
        if (c.Changed && !statePath_.empty()) SaveStateFile(statePath_, state_);
    }

    std::vector<std::uint8_t> frame = lastReply_;
    if (fault.Bits.Any()) {
        // Injected bits: the frame is rebuilt around the same data.
        const std::size_t dataLength = frame[1] - 0x2Bu;
        std::uint8_t wire[kStatusBytes];
        StatusBytes bits;
        for (std::size_t i = 0; i < kStatusBytes; ++i)
            for (std::uint8_t b = 0; b < 7; ++b)
                if (frame[5 + dataLength + i] & (1u << b)) bits.Set({static_cast<std::uint8_t>(i), b});
        bits.Merge(fault.Bits);
        bits.Wire(wire);
        const std::string data(frame.begin() + 4, frame.begin() + 4 + dataLength);
        frame.assign(kMaxReplyFrame, 0);
        frame.resize(BuildReplyFrame(request.Seq, request.Command, data, wire, frame.data(),
                                     frame.size()));
    }
    if (fault.BadChecksum) frame[frame.size() - 2] ^= 0x01;
    if (fault.EarlyEnd) {
        frame.resize(frame.size() - 3);
        frame.back() = kEnd;
    }
    if (fault.Junk) frame.back() = '*';
    QueueWaits(now, replyAt);
    Queue(frame.data(), frame.size(), replyAt);
}

void Engine::QueueWaits(std::int64_t from, std::int64_t until) {
    for (std::int64_t t = from + kWaitInterval; t < until; t += kWaitInterval)
        Queue(&kWait, 1, t);
}

void Engine::Queue(const std::uint8_t* bytes, std::size_t count, std::int64_t due) {
    const std::int64_t charTime = baud_ > 0 ? 10000000 / baud_ : 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::int64_t at = std::max(due, lineFreeAt_);
        output_.push_back({at, bytes[i]});
        lineFreeAt_ = at + charTime;
    }
}

std::size_t Engine::ReadDue(std::uint8_t* out, std::size_t capacity) {
    const std::int64_t now = clock_.NowMicros();
    std::size_t n = 0;
    while (n < capacity && !output_.empty() && output_.front().Due <= now) {
        out[n++] = output_.front().Byte;
        output_.pop_front();
    }
    return n;
}

std::int64_t Engine::NextDueMicros() const {
    return output_.empty() ? kNothingDue : output_.front().Due;
}

void Engine::DiscardDue() {
    const std::int64_t now = clock_.NowMicros();
    while (!output_.empty() && output_.front().Due <= now) output_.pop_front();
}

std::string Engine::Control(std::string_view line) {
    const std::string_view command = TrimSpaces(line);
    if (command == "power off") {
        if (powered_) paper_.Event("power off");
        powered_ = false;
        output_.clear();
        parser_.Reset();
        haveLast_ = false;
        return "ok";
    }
    if (command == "power on") {
        if (!powered_) paper_.Event("power on");
        powered_ = true;
        return "ok";
    }
    if (command == "clock reset") {
        state_.ClockSet = false;
        return "ok";
    }
    if (command == "clear") {
        faults_.Clear();
        return "ok";
    }
    Fault f;
    std::string error;
    if (!ParseFault(command, f, error)) return "error: " + error;
    faults_.Add(f);
    return "ok";
}

bool Engine::UseStateFile(const std::string& path, std::string& error) {
    if (!LoadStateFile(path, state_, error)) return false;
    statePath_ = path;
    return true;
}

}  // namespace simulator
