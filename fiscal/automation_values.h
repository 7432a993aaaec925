// Automation values at the interface: automation booleans, and text between
// UTF-16 BSTRs and the 8-bit text of the system's ANSI code page that goes
// on the wire.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

namespace fiscal {

inline VARIANT_BOOL ToVariantBool(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }

// ANSI text of a BSTR; a null BSTR is empty, characters the code page lacks
// become its default character.
std::string AnsiOf(BSTR text);

// A new BSTR for the caller from 8-bit ANSI text; throws std::bad_alloc.
BSTR NewBstr(const char* ansiText);

}  // namespace fiscal
