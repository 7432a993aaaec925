// How a run-time error inside a member reaches the client: an error object
// (interface GUID, the class's ProgID as source, the message) and
// DISP_E_EXCEPTION. No exception ever leaves a member.
#pragma once

#include <windows.h>

#include <exception>
#include <new>

namespace fiscal {

// Sets the thread's error object from an 8-bit ANSI message and returns
// DISP_E_EXCEPTION.
HRESULT ReportException(const char* message);

// Runs a member's body: S_OK, E_POINTER for a null out-parameter, or the
// reported exception.
template <class Out, class Body>
HRESULT Member(Out* out, Body&& body) noexcept {
    if (!out) return E_POINTER;
    try {
        body();
        return S_OK;
    } catch (const std::exception& e) {
        return ReportException(e.what());
    } catch (...) {
        return ReportException("");
    }
}

// For members without an out-parameter (property puts).
template <class Body>
HRESULT Member(Body&& body) noexcept {
    int none = 0;
    return Member(&none, std::forward<Body>(body));
}

}  // namespace fiscal
