#include "fiscal/TECRFiscImpl.h"

namespace fiscal {

namespace {

// Loaded from the registered type library on first use and kept for the
// life of the process (never released: COM may be gone by static teardown).
ITypeInfo* g_typeInfo = nullptr;

// The library is registered for its own locale, 409h; a caller in another
// locale (or the neutral one) must still find it.
constexpr LCID kLibraryLocale = 0x409;

HRESULT TypeInfo(LCID lcid, ITypeInfo** info) {
    if (!g_typeInfo) {
        ITypeLib* library = nullptr;
        HRESULT hr = LoadRegTypeLib(LIBID_VexlorECR, 1, 0, lcid, &library);
        if (FAILED(hr) && lcid != kLibraryLocale)
            hr = LoadRegTypeLib(LIBID_VexlorECR, 1, 0, kLibraryLocale, &library);
        if (FAILED(hr)) return hr;
        const HRESULT found = library->GetTypeInfoOfGuid(IID_ITECRFisc, &g_typeInfo);
        library->Release();
        if (FAILED(found)) return found;
    }
    *info = g_typeInfo;
    return S_OK;
}

}  // namespace

TTECRFiscImpl::TTECRFiscImpl(IUnknown* outer, ReleaseHook onDestroy)
    : outer_(outer ? outer : &inner_), onDestroy_(onDestroy) {}

TTECRFiscImpl::~TTECRFiscImpl() {
    if (onDestroy_) onDestroy_();
}

STDMETHODIMP TTECRFiscImpl::InnerUnknown::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown))
        *out = static_cast<IUnknown*>(this);
    else if (IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_ITECRFisc))
        *out = static_cast<ITECRFisc*>(&object_);
    else
        return E_NOINTERFACE;
    static_cast<IUnknown*>(*out)->AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) TTECRFiscImpl::InnerUnknown::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&object_.references_));
}

STDMETHODIMP_(ULONG) TTECRFiscImpl::InnerUnknown::Release() {
    const LONG left = InterlockedDecrement(&object_.references_);
    if (left == 0) delete &object_;
    return static_cast<ULONG>(left);
}

STDMETHODIMP TTECRFiscImpl::QueryInterface(REFIID iid, void** out) {
    return outer_->QueryInterface(iid, out);
}
STDMETHODIMP_(ULONG) TTECRFiscImpl::AddRef() { return outer_->AddRef(); }
STDMETHODIMP_(ULONG) TTECRFiscImpl::Release() { return outer_->Release(); }

STDMETHODIMP TTECRFiscImpl::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
}

STDMETHODIMP TTECRFiscImpl::GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    const HRESULT hr = TypeInfo(lcid, info);
    if (SUCCEEDED(hr)) (*info)->AddRef();
    return hr;
}

STDMETHODIMP TTECRFiscImpl::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID lcid,
                                          DISPID* ids) {
    ITypeInfo* info = nullptr;
    const HRESULT hr = TypeInfo(lcid, &info);
    return FAILED(hr) ? hr : info->GetIDsOfNames(names, count, ids);
}

STDMETHODIMP TTECRFiscImpl::Invoke(DISPID id, REFIID, LCID lcid, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argError) {
    ITypeInfo* info = nullptr;
    const HRESULT hr = TypeInfo(lcid, &info);
    if (FAILED(hr)) return hr;
    return info->Invoke(static_cast<ITECRFisc*>(this), id, flags, params, result, exception,
                        argError);
}

}  // namespace fiscal
