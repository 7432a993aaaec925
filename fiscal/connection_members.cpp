// Connection and identity: SetComPort, CloseComPort, IsPresent, GetSerNumber,
// ID_DEV and the version texts.
#include "commands/commands.h"
#include "devicelink/device_link.h"
#include "fiscal/TECRFiscImpl.h"
#include "fiscal/automation_values.h"
#include "fiscal/call_pattern.h"
#include "fiscal/report_exception.h"
#include "fiscal/status.h"

namespace fiscal {

namespace {

constexpr const char* kVersionText = "VexlorECR OLE v6.00 QZ4417R 06.04.2018";

bool SupportedSpeed(int speed) {
    return speed == 9600 || speed == 19200 || speed == 57600 || speed == 115200;
}

void SetConnection(std::int32_t portOpen, std::int32_t portNumber, std::int32_t linkReady) {
    ObjectState& s = State();
    s.PortOpen = portOpen;
    s.PortNumber = portNumber;
    s.LinkReady = linkReady;
}

}  // namespace

STDMETHODIMP TTECRFiscImpl::SetComPort(int NumPort, int Speed, int* Result) {
    return Member(Result, [&] {
        if (!SupportedSpeed(Speed)) {
            RecordRefusal();
            *Result = -1;
            return;
        }
        devicelink::DeviceLink& link = devicelink::TheDeviceLink();
        // A held port is let go first, so that opening it again works and
        // no handle is left out of reach.
        if (State().PortOpen != -1) {
            link.ClosePort();
            SetConnection(-1, -1, 0);
        }
        if (link.OpenPort(NumPort, Speed) == devicelink::kInvalidPort) {
            SetConnection(-1, -1, 0);
            RecordRefusal();
            *Result = -1;
            return;
        }
        SetConnection(1, NumPort, 1);
        State().OperationState = kRefused;
        State().LastStatusWord = 0;
        *Result = 1;
    });
}

STDMETHODIMP TTECRFiscImpl::CloseComPort(int NumPort, int* Result) {
    return Member(Result, [&] {
        if (State().PortOpen == -1 || NumPort != State().PortNumber) {
            RecordRefusal();
            *Result = -1;
            return;
        }
        LeadingStatusQuery();
        ResetDeviceErrors();
        devicelink::TheDeviceLink().ClosePort();
        SetConnection(-1, -1, 0);
        State().OperationState = kSucceeded;
        *Result = 1;
    });
}

// The same two status queries as GetStatusFP.
STDMETHODIMP TTECRFiscImpl::IsPresent(VARIANT_BOOL* Result) {
    return Member(Result, [&] { *Result = ToVariantBool(QueryPrinterStatus()); });
}

// Records no outcome: the status of the member before stays readable.
STDMETHODIMP TTECRFiscImpl::GetSerNumber(BSTR* Number, LONG* Result) {
    if (!Number) return E_POINTER;
    return Member(Result, [&] {
        *Result = 0;
        if (!ConnectionGuard()) return;
        LeadingStatusQuery();
        ResetDeviceErrors();
        if (!SendAndWait(commands::CmdDiagnostics, 0) || LastExchangeFailed()) return;
        *Number = NewBstr(ReplyField(6));
        *Result = 1;
    });
}

// Sent without a guard or a leading status query.
STDMETHODIMP TTECRFiscImpl::get_ID_DEV(BSTR* Value) {
    return Member(Value, [&] {
        ResetDeviceErrors();
        const bool sent = SendAndWait(commands::CmdDeviceId);
        const bool ok = sent && RecordOutcome();
        *Value = NewBstr(ok ? ReplyField(0) : "");
    });
}

STDMETHODIMP TTECRFiscImpl::GetVerDLL(BSTR* Version) {
    return Member(Version, [&] { *Version = NewBstr(""); });
}

STDMETHODIMP TTECRFiscImpl::get_VersionDLL(BSTR* Value) {
    return Member(Value, [&] { *Value = NewBstr(kVersionText); });
}

}  // namespace fiscal
