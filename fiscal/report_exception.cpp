#include "fiscal/report_exception.h"

#include <oleauto.h>

#include "VexlorECR_TLB.h"
#include "server/win_handles.h"

namespace fiscal {

HRESULT ReportException(const char* message) {
    server::ComPtr<ICreateErrorInfo> create;
    if (SUCCEEDED(CreateErrorInfo(create.put()))) {
        create->SetGUID(IID_ITECRFisc);
        server::UniqueTaskText progId;
        if (SUCCEEDED(ProgIDFromCLSID(CLSID_TECRFisc, progId.put()))) create->SetSource(progId.get());
        // Converting the message must not throw from here.
        const int length = MultiByteToWideChar(CP_ACP, 0, message, -1, nullptr, 0);
        server::UniqueBstr description(SysAllocStringLen(nullptr, length > 0 ? length - 1 : 0));
        if (description) {
            MultiByteToWideChar(CP_ACP, 0, message, -1, description.get(), length);
            create->SetDescription(description.get());
        }
        server::ComPtr<IErrorInfo> info;
        if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(info.put()))))
            SetErrorInfo(0, info.get());
    }
    return DISP_E_EXCEPTION;
}

}  // namespace fiscal
