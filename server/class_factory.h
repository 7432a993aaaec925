// The class factory that COM hands to clients creating a TECRFisc object.
// One factory serves all clients; it does not count as a lock itself.
#pragma once

#include <windows.h>
#include <unknwn.h>

namespace server {

class TECRFiscFactory final : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    STDMETHODIMP LockServer(BOOL lock) override;
};

TECRFiscFactory& Factory();

}  // namespace server
