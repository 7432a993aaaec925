#include "tests/simulator/printer_fixture.h"

namespace simtest {

using namespace devicelink;

Answer Decode(const std::vector<std::uint8_t>& bytes) {
    Answer a;
    a.Bytes = bytes;
    std::size_t i = 0;
    while (i < bytes.size() && bytes[i] == kWait) ++i;
    a.Waits = static_cast<int>(i);
    const std::size_t n = bytes.size() - i;
    if (n < ReplyFrameSize(0) || bytes[i] != kPreamble || bytes.back() != kEnd) return a;
    const std::uint8_t* f = bytes.data() + i;
    const std::size_t m = f[1] - 0x2Bu;
    if (n != ReplyFrameSize(m) || f[4 + m] != kStatusMark || f[11 + m] != kPostamble) return a;
    std::uint8_t sum[4];
    EncodeChecksum(ChecksumOf(f + 1, 11 + m), sum);
    if (!std::equal(sum, sum + 4, f + 12 + m)) return a;
    a.Framed = true;
    a.Seq = f[2];
    a.Command = f[3];
    a.Data.assign(reinterpret_cast<const char*>(f + 4), m);
    std::copy(f + 5 + m, f + 11 + m, a.Status);
    a.Word = StatusFlagsOf(a.Status);
    return a;
}

Answer PrinterTest::Send(std::uint8_t command, const std::string& data) {
    return SendWithSeq(SequenceByte(++counter), command, data);
}

Answer PrinterTest::SendWithSeq(std::uint8_t seq, std::uint8_t command, const std::string& data) {
    std::uint8_t frame[kMaxRequestFrame];
    const std::size_t n = BuildRequestFrame(seq, command, data, frame, sizeof frame);
    EXPECT_GT(n, 0u) << "request data too long: " << data.size();
    return Raw({frame, frame + n});
}

Answer PrinterTest::Raw(const std::vector<std::uint8_t>& bytes) {
    const std::int64_t start = clock.NowMicros();
    engine.Receive(bytes.data(), bytes.size());
    std::vector<std::uint8_t> out;
    while (engine.Sending()) {
        std::uint8_t buf[64];
        const std::size_t n = engine.ReadDue(buf, sizeof buf);
        out.insert(out.end(), buf, buf + n);
        if (n == 0) clock.Advance(engine.NextDueMicros() - clock.NowMicros());
    }
    Answer a = Decode(out);
    a.Micros = clock.NowMicros() - start;
    return a;
}

std::string PrinterTest::Ok(std::uint8_t command, const std::string& data) {
    const Answer a = Send(command, data);
    EXPECT_TRUE(a.Framed && !a.Failed())
        << "command " << int{command} << " \"" << data << "\": " << a.Hex() << std::hex
        << " status word 0x" << a.Word;
    return a.Data;
}

bool PrinterTest::JournalHas(const std::string& utf8) const {
    for (const std::string& line : journal.Lines)
        if (line.find(utf8) != std::string::npos) return true;
    return false;
}

void PrinterTest::ProgramArticle(int number, char tax, int group, const std::string& price,
                                 const std::string& name) {
    EXPECT_EQ(Ok(107, std::string("P") + tax + std::to_string(number) + "," +
                          std::to_string(group) + "," + price + ",0000," + name),
              "P");
}

}  // namespace simtest
