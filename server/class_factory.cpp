#include "server/class_factory.h"

#include <new>

#include "fiscal/TECRFiscImpl.h"
#include "server/server_module.h"

namespace server {

namespace {
void UnlockModule() { Module().Unlock(); }
}  // namespace

STDMETHODIMP TECRFiscFactory::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
        *out = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP TECRFiscFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer && !IsEqualIID(iid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
    auto* object = new (std::nothrow) fiscal::TTECRFiscImpl(outer, &UnlockModule);
    if (!object) return E_OUTOFMEMORY;
    Module().Lock();
    // The object starts with one reference; the query adds the caller's and
    // the release drops ours, destroying the object (and unlocking) when the
    // query failed.
    IUnknown* inner = object->Inner();
    const HRESULT hr = inner->QueryInterface(iid, out);
    inner->Release();
    return hr;
}

STDMETHODIMP TECRFiscFactory::LockServer(BOOL lock) {
    if (lock)
        Module().Lock();
    else
        Module().Unlock();
    return S_OK;
}

TECRFiscFactory& Factory() {
    static TECRFiscFactory factory;
    return factory;
}

}  // namespace server
