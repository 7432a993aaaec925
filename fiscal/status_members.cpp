// Why the last member failed: StatusBytes, GetError, Status0..Status5,
// GetStatusFP, TimeOutFP, FPIndexStatus, FPStatus. Only GetStatusFP talks to
// the printer; the others read the shared state as it is.
#include "fiscal/TECRFiscImpl.h"
#include "fiscal/automation_values.h"
#include "fiscal/object_state.h"
#include "fiscal/report_exception.h"
#include "fiscal/status.h"

namespace fiscal {

namespace {

HRESULT SavedStatusByte(int index, signed char* value) {
    return Member(value, [&] { *value = static_cast<signed char>(State().SavedStatusBytes[index]); });
}

}  // namespace

STDMETHODIMP TTECRFiscImpl::get_StatusBytes(LONG* Value) {
    return Member(Value, [&] { *Value = State().OperationState; });
}

STDMETHODIMP TTECRFiscImpl::GetError(LONG* Error) {
    return Member(Error, [&] { *Error = ErrorNumberOf(State().LastStatusWord); });
}

STDMETHODIMP TTECRFiscImpl::get_Status0(signed char* Value) { return SavedStatusByte(0, Value); }
STDMETHODIMP TTECRFiscImpl::get_Status1(signed char* Value) { return SavedStatusByte(1, Value); }
STDMETHODIMP TTECRFiscImpl::get_Status2(signed char* Value) { return SavedStatusByte(2, Value); }
STDMETHODIMP TTECRFiscImpl::get_Status3(signed char* Value) { return SavedStatusByte(3, Value); }
STDMETHODIMP TTECRFiscImpl::get_Status4(signed char* Value) { return SavedStatusByte(4, Value); }
STDMETHODIMP TTECRFiscImpl::get_Status5(signed char* Value) { return SavedStatusByte(5, Value); }

// NoWait is accepted for the clients that pass it; both queries are "W".
STDMETHODIMP TTECRFiscImpl::GetStatusFP(VARIANT_BOOL, VARIANT_BOOL* Result) {
    return Member(Result, [&] { *Result = ToVariantBool(QueryPrinterStatus()); });
}

STDMETHODIMP TTECRFiscImpl::get_TimeOutFP(VARIANT_BOOL* Value) {
    return Member(Value, [&] { *Value = ToVariantBool(LastFailureWasLink()); });
}

STDMETHODIMP TTECRFiscImpl::get_FPIndexStatus(LONG* Value) {
    return Member(Value, [&] { *Value = State().FPIndexStatus; });
}

STDMETHODIMP TTECRFiscImpl::put_FPIndexStatus(LONG Value) {
    return Member([&] { SetStatusIndex(Value); });
}

STDMETHODIMP TTECRFiscImpl::get_FPStatus(LONG* Value) {
    return Member(Value, [&] { *Value = LastReplyStatusByte(); });
}

}  // namespace fiscal
