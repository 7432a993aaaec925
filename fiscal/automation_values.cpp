#include "fiscal/automation_values.h"

#include <cstring>
#include <new>

namespace fiscal {

std::string AnsiOf(BSTR text) {
    const int wideLength = static_cast<int>(SysStringLen(text));
    if (wideLength == 0) return {};
    const int length = WideCharToMultiByte(CP_ACP, 0, text, wideLength, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, wideLength, out.data(), length, nullptr, nullptr);
    return out;
}

BSTR NewBstr(const char* ansiText) {
    const int length = static_cast<int>(std::strlen(ansiText));
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, ansiText, length, nullptr, 0);
    BSTR out = SysAllocStringLen(nullptr, static_cast<UINT>(wideLength));
    if (!out) throw std::bad_alloc();
    MultiByteToWideChar(CP_ACP, 0, ansiText, length, out, wideLength);
    return out;
}

}  // namespace fiscal
