// The server's 8-bit text is Windows-1251; the journal file is UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace simulator {

// Converts Windows-1251 text to UTF-8. Control characters other than TAB and
// the one unassigned code (98h) become "?".
std::string Cp1251ToUtf8(std::string_view text);

}  // namespace simulator
