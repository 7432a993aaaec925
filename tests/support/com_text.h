// Text of COM values for the Windows tests' expectations and messages.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <string>

namespace testing_support {

// "0x80020009"
inline std::string Hex(HRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

// A BSTR of ASCII text as a std::string (a null BSTR is empty).
inline std::string Narrow(BSTR text) {
    std::string out;
    for (UINT i = 0; text && i < SysStringLen(text); ++i) out += static_cast<char>(text[i]);
    return out;
}

}  // namespace testing_support
