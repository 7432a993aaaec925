// Members whose group is not built yet: they answer E_NOTIMPL.
#include "fiscal/TECRFiscImpl.h"

namespace fiscal {

STDMETHODIMP TTECRFiscImpl::ZReport(BSTR, VARIANT_BOOL*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::XReport(BSTR, VARIANT_BOOL*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::PeriodRepByNumb(BSTR, LONG, LONG, VARIANT_BOOL*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::PeriodRepByDate(BSTR, BSTR, BSTR, VARIANT_BOOL*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::ClearRegDisplay(VARIANT_BOOL*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::DisplayUP(BSTR, VARIANT_BOOL*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::DisplayDown(BSTR, VARIANT_BOOL*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::CloseNonFiscReceipt(VARIANT_BOOL*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::OpenNonFiscReceipt(VARIANT_BOOL*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::get_ServiceIn(double*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::put_ServiceIn(double) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::get_ServiceOut(double*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::put_ServiceOut(double) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::PeriodRepByNumbFull(BSTR, LONG, LONG, VARIANT_BOOL*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::PeriodRepByDateFull(BSTR, BSTR, BSTR, VARIANT_BOOL*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::ProgramArt(unsigned char, int, int, double, BSTR, BSTR, VARIANT_BOOL*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::DeleteArt(int, BSTR, VARIANT_BOOL*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::ChangePrice(int, double, BSTR, VARIANT_BOOL*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::GetArtInfo(int, BSTR*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::get_FirstArt(BSTR*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::get_NextArt(BSTR*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::PrntNonFiscal(BSTR, VARIANT_BOOL*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::SetOperatorName(LONG, BSTR, BSTR, VARIANT_BOOL*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::SetOperatorPassword(LONG, BSTR, BSTR, VARIANT_BOOL*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::ClearOperatorPassword(BSTR, LONG, VARIANT_BOOL*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::ArticulsReports(LONG, BSTR, VARIANT_BOOL*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::OpenDrawer(LONG, VARIANT_BOOL*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::WriteDateTime(BSTR, BSTR, LONG*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::get_DateTime(BSTR*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::DispDayTime(LONG*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::get_LastZReport(BSTR*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::get_CurrentTotals(BSTR*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::put_TotalIdx(LONG) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::SellArticul(BSTR, double, double, unsigned char, int, BSTR, double, double, LONG*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::get_NonFiscal(LONG*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::get_CashInfo(double*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::ReportModem(LONG*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::WriteNetParams(LONG*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::GetNetParams(LONG*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::put_PrintReportModem(VARIANT_BOOL) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::get_DataDocPr(BSTR*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::get_TimeDocPr(BSTR*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::get_TimePersPr(BSTR*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::get_PersReportPr(LONG*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::get_MBSAM_ErrPr(VARIANT_BOOL*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::get_MemCrd_ErrPr(VARIANT_BOOL*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::get_KSEF_ErrPr(VARIANT_BOOL*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::get_IDDEF_SetPr(VARIANT_BOOL*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::get_TechReg_PrfPr(VARIANT_BOOL*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::get_Person_PrfPr(VARIANT_BOOL*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::get_NetCbl_ConPr(VARIANT_BOOL*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::get_Ready_SndPr(VARIANT_BOOL*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::get_DatePersPr(BSTR*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::get_DHCPworkPr(VARIANT_BOOL*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::put_DHCPworkPr(VARIANT_BOOL) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::get_StatIPPr(BSTR*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::put_StatIPPr(BSTR) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::get_SubnetMaskPr(BSTR*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::put_SubnetMaskPr(BSTR) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::get_BridgeAddrPr(BSTR*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::put_BridgeAddrPr(BSTR) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::get_TargetAddrPr(BSTR*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::put_TargetAddrPr(BSTR) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::get_TargetPortPr(LONG*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::put_TargetPortPr(LONG) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::get_RepeatPeriodPr(LONG*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::put_RepeatPeriodPr(LONG) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::get_RepeatByErrorPr(LONG*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::put_RepeatByErrorPr(LONG) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::PrintFiscalCopyKSEF(LONG, LONG*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::PrintFiscalCopiesKSEF(LONG, LONG, LONG*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::PrintReportsTaxKSEF(LONG, LONG*) { return E_NOTIMPL; }
STDMETHODIMP TTECRFiscImpl::MakeBarcode(LONG, BSTR, LONG*) { return E_NOTIMPL; }

}  // namespace fiscal
