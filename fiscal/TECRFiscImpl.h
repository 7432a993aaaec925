// TTECRFiscImpl: the automation object behind ITECRFisc. Objects carry no
// state of their own; every member works on the process-wide ObjectState.
// IDispatch is served from the registered type library, so names, dispids
// and argument conversion follow it exactly.
//
// Members live in the file of their group: status_members.cpp,
// connection_members.cpp, receipt_members.cpp, ...; pending_members.cpp holds
// those not built yet (E_NOTIMPL).
#pragma once

#include <windows.h>
#include <oleauto.h>

#include "VexlorECR_TLB.h"

namespace fiscal {

class TTECRFiscImpl final : public ITECRFisc {
public:
    using ReleaseHook = void (*)();

    // `outer` aggregates the object (its IUnknown is then the outer one);
    // `onDestroy` runs when the object goes.
    TTECRFiscImpl(IUnknown* outer, ReleaseHook onDestroy);
    TTECRFiscImpl(const TTECRFiscImpl&) = delete;
    TTECRFiscImpl& operator=(const TTECRFiscImpl&) = delete;

    // The object's own IUnknown (the one an aggregating object holds).
    IUnknown* Inner() { return &inner_; }

    // IUnknown (delegating when aggregated)
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                               DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* exception, UINT* argError) override;

    // ITECRFisc
    STDMETHODIMP GetVerDLL(BSTR* Version) override;
    STDMETHODIMP SetComPort(int NumPort, int Speed, int* Result) override;
    STDMETHODIMP CloseComPort(int NumPort, int* Result) override;
    STDMETHODIMP IsPresent(VARIANT_BOOL* Result) override;
    STDMETHODIMP StrPrntCash(BSTR Str1, VARIANT_BOOL* Result) override;
    STDMETHODIMP CloseFiscReceipt(VARIANT_BOOL* Result) override;
    STDMETHODIMP get_NumbRec(int* Value) override;
    STDMETHODIMP Payment(double Summa, int type, VARIANT_BOOL* Result) override;
    STDMETHODIMP SellArtCash(VARIANT_BOOL Sign, LONG NumArt, double Quant, double Perc, double dc, VARIANT_BOOL* Result) override;
    STDMETHODIMP ZReport(BSTR Password, VARIANT_BOOL* Result) override;
    STDMETHODIMP XReport(BSTR Password, VARIANT_BOOL* Result) override;
    STDMETHODIMP PeriodRepByNumb(BSTR Password, LONG NumStart, LONG NumEnd, VARIANT_BOOL* Result) override;
    STDMETHODIMP PeriodRepByDate(BSTR Password, BSTR DateStart, BSTR DateEnd, VARIANT_BOOL* Result) override;
    STDMETHODIMP NullReceipt(int OperatorNum, int POSNum, BSTR OperatorPSW, VARIANT_BOOL* Result) override;
    STDMETHODIMP SellArtCashDS(VARIANT_BOOL Sign, LONG NumArt, double Quant, double Perc, double dc, VARIANT_BOOL* Result) override;
    STDMETHODIMP ClearRegDisplay(VARIANT_BOOL* Result) override;
    STDMETHODIMP DisplayUP(BSTR TextDisp, VARIANT_BOOL* Result) override;
    STDMETHODIMP DisplayDown(BSTR TextDisp, VARIANT_BOOL* Result) override;
    STDMETHODIMP CloseNonFiscReceipt(VARIANT_BOOL* Result) override;
    STDMETHODIMP OpenFiscReceipt(int OperatorNum, int POSNum, BSTR OperatorPSW, VARIANT_BOOL* Result) override;
    STDMETHODIMP OpenNonFiscReceipt(VARIANT_BOOL* Result) override;
    STDMETHODIMP ReceiptCancel(VARIANT_BOOL* Result) override;
    STDMETHODIMP get_ServiceIn(double* Value) override;
    STDMETHODIMP put_ServiceIn(double Value) override;
    STDMETHODIMP get_ServiceOut(double* Value) override;
    STDMETHODIMP put_ServiceOut(double Value) override;
    STDMETHODIMP PeriodRepByNumbFull(BSTR Password, LONG NumStart, LONG NumEnd, VARIANT_BOOL* Result) override;
    STDMETHODIMP PeriodRepByDateFull(BSTR Password, BSTR DateStart, BSTR DateEnd, VARIANT_BOOL* Result) override;
    STDMETHODIMP get_StatusBytes(LONG* Value) override;
    STDMETHODIMP OpenRefundReceipt(int OperatorNum, int POSNum, BSTR OperatorPSW, VARIANT_BOOL* Result) override;
    STDMETHODIMP ProgramArt(unsigned char Tax, int NumArt, int Group, double Price, BSTR Password, BSTR Name, VARIANT_BOOL* Result) override;
    STDMETHODIMP DeleteArt(int NumArt, BSTR Password, VARIANT_BOOL* Result) override;
    STDMETHODIMP ChangePrice(int NumArt, double NewPrice, BSTR Password, VARIANT_BOOL* Result) override;
    STDMETHODIMP GetArtInfo(int NumArt, BSTR* InfoArt) override;
    STDMETHODIMP get_FirstArt(BSTR* Value) override;
    STDMETHODIMP get_NextArt(BSTR* Value) override;
    STDMETHODIMP PrntNonFiscal(BSTR Str1, VARIANT_BOOL* Result) override;
    STDMETHODIMP SubTotalDS(VARIANT_BOOL Print, VARIANT_BOOL Display, double Perc, double DS, VARIANT_BOOL* Result) override;
    STDMETHODIMP SetOperatorName(LONG OperatorNum, BSTR Password, BSTR OperatorName, VARIANT_BOOL* Result) override;
    STDMETHODIMP SetOperatorPassword(LONG OperatorNum, BSTR OldPassword, BSTR NewPassword, VARIANT_BOOL* Result) override;
    STDMETHODIMP ClearOperatorPassword(BSTR AdministatorPassword, LONG OperatorNum, VARIANT_BOOL* Result) override;
    STDMETHODIMP ArticulsReports(LONG TypeReport, BSTR Password, VARIANT_BOOL* Result) override;
    STDMETHODIMP GetReceiptSum(double* Sum) override;
    STDMETHODIMP GetReceiptPay(double* Pay) override;
    STDMETHODIMP GetError(LONG* Error) override;
    STDMETHODIMP get_Receipt(LONG* Value) override;
    STDMETHODIMP get_Status0(signed char* Value) override;
    STDMETHODIMP get_Status1(signed char* Value) override;
    STDMETHODIMP get_Status2(signed char* Value) override;
    STDMETHODIMP get_Status3(signed char* Value) override;
    STDMETHODIMP get_Status4(signed char* Value) override;
    STDMETHODIMP get_Status5(signed char* Value) override;
    STDMETHODIMP GetStatusFP(VARIANT_BOOL NoWait, VARIANT_BOOL* Result) override;
    STDMETHODIMP get_TimeOutFP(VARIANT_BOOL* Value) override;
    STDMETHODIMP DoCopy(LONG Num, VARIANT_BOOL* Result) override;
    STDMETHODIMP OpenDrawer(LONG Num, VARIANT_BOOL* Result) override;
    STDMETHODIMP get_FPIndexStatus(LONG* Value) override;
    STDMETHODIMP put_FPIndexStatus(LONG Value) override;
    STDMETHODIMP get_FPStatus(LONG* Value) override;
    STDMETHODIMP WriteDateTime(BSTR Date, BSTR Time, LONG* Result) override;
    STDMETHODIMP get_DateTime(BSTR* Value) override;
    STDMETHODIMP DispDayTime(LONG* Result) override;
    STDMETHODIMP GetSerNumber(BSTR* Number, LONG* Result) override;
    STDMETHODIMP get_LastZReport(BSTR* Value) override;
    STDMETHODIMP get_CurrentTotals(BSTR* Value) override;
    STDMETHODIMP put_TotalIdx(LONG Value) override;
    STDMETHODIMP SellArticul(BSTR NameArt, double Price, double Quantity, unsigned char Tax, int Group, BSTR Password, double Perc, double dc, LONG* Result) override;
    STDMETHODIMP get_VersionDLL(BSTR* Value) override;
    STDMETHODIMP get_NonFiscal(LONG* Value) override;
    STDMETHODIMP ReceiptCut(LONG* Result) override;
    STDMETHODIMP get_CashInfo(double* Value) override;
    STDMETHODIMP get_ID_DEV(BSTR* Value) override;
    STDMETHODIMP ReportModem(LONG* Result) override;
    STDMETHODIMP WriteNetParams(LONG* Result) override;
    STDMETHODIMP GetNetParams(LONG* Result) override;
    STDMETHODIMP put_PrintReportModem(VARIANT_BOOL Value) override;
    STDMETHODIMP get_DataDocPr(BSTR* Value) override;
    STDMETHODIMP get_TimeDocPr(BSTR* Value) override;
    STDMETHODIMP get_TimePersPr(BSTR* Value) override;
    STDMETHODIMP get_PersReportPr(LONG* Value) override;
    STDMETHODIMP get_MBSAM_ErrPr(VARIANT_BOOL* Value) override;
    STDMETHODIMP get_MemCrd_ErrPr(VARIANT_BOOL* Value) override;
    STDMETHODIMP get_KSEF_ErrPr(VARIANT_BOOL* Value) override;
    STDMETHODIMP get_IDDEF_SetPr(VARIANT_BOOL* Value) override;
    STDMETHODIMP get_TechReg_PrfPr(VARIANT_BOOL* Value) override;
    STDMETHODIMP get_Person_PrfPr(VARIANT_BOOL* Value) override;
    STDMETHODIMP get_NetCbl_ConPr(VARIANT_BOOL* Value) override;
    STDMETHODIMP get_Ready_SndPr(VARIANT_BOOL* Value) override;
    STDMETHODIMP get_DatePersPr(BSTR* Value) override;
    STDMETHODIMP get_DHCPworkPr(VARIANT_BOOL* Value) override;
    STDMETHODIMP put_DHCPworkPr(VARIANT_BOOL Value) override;
    STDMETHODIMP get_StatIPPr(BSTR* Value) override;
    STDMETHODIMP put_StatIPPr(BSTR Value) override;
    STDMETHODIMP get_SubnetMaskPr(BSTR* Value) override;
    STDMETHODIMP put_SubnetMaskPr(BSTR Value) override;
    STDMETHODIMP get_BridgeAddrPr(BSTR* Value) override;
    STDMETHODIMP put_BridgeAddrPr(BSTR Value) override;
    STDMETHODIMP get_TargetAddrPr(BSTR* Value) override;
    STDMETHODIMP put_TargetAddrPr(BSTR Value) override;
    STDMETHODIMP get_TargetPortPr(LONG* Value) override;
    STDMETHODIMP put_TargetPortPr(LONG Value) override;
    STDMETHODIMP get_RepeatPeriodPr(LONG* Value) override;
    STDMETHODIMP put_RepeatPeriodPr(LONG Value) override;
    STDMETHODIMP get_RepeatByErrorPr(LONG* Value) override;
    STDMETHODIMP put_RepeatByErrorPr(LONG Value) override;
    STDMETHODIMP NewPayment(VARIANT_BOOL KSEF, double Summa, int TypePmt, BSTR CodeTrasaction, VARIANT_BOOL* Result) override;
    STDMETHODIMP PrintFiscalCopyKSEF(LONG NumFis, LONG* Result) override;
    STDMETHODIMP PrintFiscalCopiesKSEF(LONG Num1, LONG Num2, LONG* Result) override;
    STDMETHODIMP PrintReportsTaxKSEF(LONG NumFis, LONG* Result) override;
    STDMETHODIMP MakeBarcode(LONG type, BSTR Data, LONG* Result) override;

private:
    ~TTECRFiscImpl();

    class InnerUnknown final : public IUnknown {
    public:
        explicit InnerUnknown(TTECRFiscImpl& object) : object_(object) {}
        STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
        STDMETHODIMP_(ULONG) AddRef() override;
        STDMETHODIMP_(ULONG) Release() override;

    private:
        TTECRFiscImpl& object_;
    };

    InnerUnknown inner_{*this};
    IUnknown* outer_;
    ReleaseHook onDestroy_;
    LONG references_ = 1;
};

}  // namespace fiscal
