// Late-bound calls as automation clients make them: the member looked up by
// name (IDispatch::GetIDsOfNames, the user's locale), then called through
// IDispatch::Invoke with its arguments as VARIANTs.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <vector>

namespace testing_support {

// A VARIANT that clears itself.
struct Variant : VARIANT {
    Variant() { VariantInit(this); }
    ~Variant() { VariantClear(this); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
};

// Exception information that frees its texts.
struct ExceptionInfo : EXCEPINFO {
    ExceptionInfo() : EXCEPINFO{} {}
    ~ExceptionInfo() {
        SysFreeString(bstrSource);
        SysFreeString(bstrDescription);
        SysFreeString(bstrHelpFile);
    }
    ExceptionInfo(const ExceptionInfo&) = delete;
    ExceptionInfo& operator=(const ExceptionInfo&) = delete;
};

// Arguments. They own nothing: what a text or a reference points to stays
// the caller's.
inline VARIANT LongArg(LONG value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}
inline VARIANT TextArg(BSTR text) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = text;
    return v;
}
inline VARIANT ByRef(BSTR* text) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BYREF | VT_BSTR;
    v.pbstrVal = text;
    return v;
}
inline VARIANT ByRef(VARIANT_BOOL* value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BYREF | VT_BOOL;
    v.pboolVal = value;
    return v;
}
inline VARIANT ByRef(LONG* value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BYREF | VT_I4;
    v.plVal = value;
    return v;
}

inline HRESULT DispIdOf(IDispatch* object, const wchar_t* name, DISPID* id) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    return object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, id);
}

// The value as a signed 32-bit integer (I4, INT and the like); -12345 when
// it has no such value.
inline LONG LongOf(const VARIANT& value) {
    Variant converted;
    VARIANT source = value;  // a shallow copy: the conversion only reads it
    if (FAILED(VariantChangeType(&converted, &source, 0, VT_I4))) return -12345;
    return converted.lVal;
}

// One method call or property get of `name` with `args` in the order of
// its parameter list (Invoke takes them last first). `hr` is the failure of
// GetIDsOfNames when the name is not found, else what Invoke returned.
class LateCall {
public:
    LateCall(IDispatch* object, const wchar_t* name, WORD flags,
             const std::vector<VARIANT>& args = {}) {
        DISPID id = DISPID_UNKNOWN;
        hr = DispIdOf(object, name, &id);
        if (FAILED(hr)) return;
        std::vector<VARIANT> reversed(args.rbegin(), args.rend());
        DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &result, &exception,
                            &argError);
    }
    LateCall(const LateCall&) = delete;
    LateCall& operator=(const LateCall&) = delete;

    HRESULT hr = E_UNEXPECTED;
    Variant result;
    ExceptionInfo exception;
    UINT argError = ~0u;
};

}  // namespace testing_support
