// The paper roll. Everything the printer prints, and every display change
// and drawer opening, goes to a journal sink as UTF-8 lines laid out like
// the roll; the engine composes them in the printer's 8-bit text.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace simulator {

class JournalSink {
public:
    virtual ~JournalSink() = default;
    virtual void WriteLine(std::string_view utf8) = 0;
};

// Appends to a file, flushed line by line so that a reader sees it at once.
class FileJournal final : public JournalSink {
public:
    explicit FileJournal(const std::string& path);
    ~FileJournal() override;
    FileJournal(const FileJournal&) = delete;
    FileJournal& operator=(const FileJournal&) = delete;
    bool IsOpen() const { return file_ != nullptr; }
    void WriteLine(std::string_view utf8) override;

private:
    std::FILE* file_;
};

class MemoryJournal final : public JournalSink {
public:
    void WriteLine(std::string_view utf8) override { Lines.emplace_back(utf8); }
    std::vector<std::string> Lines;
};

// What the print head and the event log do with 8-bit text.
class Paper {
public:
    explicit Paper(JournalSink* sink) : sink_(sink) {}
    // One printed line; TAB starts a second line, as in two-line names.
    void Print(std::string_view line);
    // A non-printed event, written as "[text]".
    void Event(std::string_view text);

private:
    void Emit(std::string_view line);

    JournalSink* sink_;
};

}  // namespace simulator
