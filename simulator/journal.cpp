#include "simulator/journal.h"

#include "simulator/cp1251.h"
#include "simulator/text.h"

namespace simulator {

FileJournal::FileJournal(const std::string& path) : file_(std::fopen(path.c_str(), "ab")) {}

FileJournal::~FileJournal() {
    if (file_) std::fclose(file_);
}

void FileJournal::WriteLine(std::string_view utf8) {
    if (!file_) return;
    std::fwrite(utf8.data(), 1, utf8.size(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);
}

void Paper::Emit(std::string_view line) {
    if (sink_) sink_->WriteLine(Cp1251ToUtf8(line));
}

void Paper::Print(std::string_view line) {
    for (std::string_view part : SplitFields(line, '\t')) {
        while (part.size() > kPaperWidth) {
            Emit(part.substr(0, kPaperWidth));
            part.remove_prefix(kPaperWidth);
        }
        Emit(part);
    }
}

void Paper::Event(std::string_view text) {
    if (sink_) sink_->WriteLine("[" + Cp1251ToUtf8(text) + "]");
}

}  // namespace simulator
