// The members of ITECRFisc as clients see them: name, dispid and kind, in
// the order of the interface's own table of functions (after IDispatch's
// seven). A property with both accessors has one entry for each.
#pragma once

#include <windows.h>
#include <oaidl.h>

namespace testing_support {

enum MemberKind { kMethod, kGet, kPut };

struct InterfaceMember {
    const char* name;
    DISPID dispid;
    MemberKind kind;
};

inline constexpr InterfaceMember kMembers[] = {
    {"GetVerDLL", 1, kMethod}, {"SetComPort", 5, kMethod}, {"CloseComPort", 6, kMethod},
    {"IsPresent", 8, kMethod}, {"StrPrntCash", 9, kMethod}, {"CloseFiscReceipt", 11, kMethod},
    {"NumbRec", 15, kGet}, {"Payment", 16, kMethod}, {"SellArtCash", 10, kMethod},
    {"ZReport", 20, kMethod}, {"XReport", 21, kMethod}, {"PeriodRepByNumb", 22, kMethod},
    {"PeriodRepByDate", 23, kMethod}, {"NullReceipt", 24, kMethod},
    {"SellArtCashDS", 25, kMethod}, {"ClearRegDisplay", 26, kMethod}, {"DisplayUP", 27, kMethod},
    {"DisplayDown", 28, kMethod}, {"CloseNonFiscReceipt", 3, kMethod},
    {"OpenFiscReceipt", 4, kMethod}, {"OpenNonFiscReceipt", 7, kMethod},
    {"ReceiptCancel", 13, kMethod}, {"ServiceIn", 17, kGet}, {"ServiceIn", 17, kPut},
    {"ServiceOut", 18, kGet}, {"ServiceOut", 18, kPut}, {"PeriodRepByNumbFull", 12, kMethod},
    {"PeriodRepByDateFull", 19, kMethod}, {"StatusBytes", 29, kGet},
    {"OpenRefundReceipt", 30, kMethod}, {"ProgramArt", 31, kMethod}, {"DeleteArt", 32, kMethod},
    {"ChangePrice", 33, kMethod}, {"GetArtInfo", 34, kMethod}, {"FirstArt", 37, kGet},
    {"NextArt", 38, kGet}, {"PrntNonFiscal", 14, kMethod}, {"SubTotalDS", 35, kMethod},
    {"SetOperatorName", 36, kMethod}, {"SetOperatorPassword", 39, kMethod},
    {"ClearOperatorPassword", 40, kMethod}, {"ArticulsReports", 41, kMethod},
    {"GetReceiptSum", 42, kMethod}, {"GetReceiptPay", 43, kMethod}, {"GetError", 44, kMethod},
    {"Receipt", 45, kGet}, {"Status0", 46, kGet}, {"Status1", 47, kGet}, {"Status2", 48, kGet},
    {"Status3", 49, kGet}, {"Status4", 50, kGet}, {"Status5", 51, kGet},
    {"GetStatusFP", 52, kMethod}, {"TimeOutFP", 53, kGet}, {"DoCopy", 54, kMethod},
    {"OpenDrawer", 55, kMethod}, {"FPIndexStatus", 56, kGet}, {"FPIndexStatus", 56, kPut},
    {"FPStatus", 57, kGet}, {"WriteDateTime", 59, kMethod}, {"DateTime", 60, kGet},
    {"DispDayTime", 58, kMethod}, {"GetSerNumber", 61, kMethod}, {"LastZReport", 62, kGet},
    {"CurrentTotals", 63, kGet}, {"TotalIdx", 64, kPut}, {"SellArticul", 65, kMethod},
    {"VersionDLL", 66, kGet}, {"NonFiscal", 67, kGet}, {"ReceiptCut", 68, kMethod},
    {"CashInfo", 69, kGet}, {"ID_DEV", 70, kGet}, {"ReportModem", 71, kMethod},
    {"WriteNetParams", 72, kMethod}, {"GetNetParams", 73, kMethod},
    {"PrintReportModem", 74, kPut}, {"DataDocPr", 75, kGet}, {"TimeDocPr", 76, kGet},
    {"TimePersPr", 78, kGet}, {"PersReportPr", 79, kGet}, {"MBSAM_ErrPr", 80, kGet},
    {"MemCrd_ErrPr", 81, kGet}, {"KSEF_ErrPr", 82, kGet}, {"IDDEF_SetPr", 83, kGet},
    {"TechReg_PrfPr", 84, kGet}, {"Person_PrfPr", 85, kGet}, {"NetCbl_ConPr", 86, kGet},
    {"Ready_SndPr", 87, kGet}, {"DatePersPr", 89, kGet}, {"DHCPworkPr", 77, kGet},
    {"DHCPworkPr", 77, kPut}, {"StatIPPr", 88, kGet}, {"StatIPPr", 88, kPut},
    {"SubnetMaskPr", 90, kGet}, {"SubnetMaskPr", 90, kPut}, {"BridgeAddrPr", 91, kGet},
    {"BridgeAddrPr", 91, kPut}, {"TargetAddrPr", 92, kGet}, {"TargetAddrPr", 92, kPut},
    {"TargetPortPr", 93, kGet}, {"TargetPortPr", 93, kPut}, {"RepeatPeriodPr", 94, kGet},
    {"RepeatPeriodPr", 94, kPut}, {"RepeatByErrorPr", 95, kGet}, {"RepeatByErrorPr", 95, kPut},
    {"NewPayment", 96, kMethod}, {"PrintFiscalCopyKSEF", 97, kMethod},
    {"PrintFiscalCopiesKSEF", 98, kMethod}, {"PrintReportsTaxKSEF", 99, kMethod},
    {"MakeBarcode", 100, kMethod},
};

}  // namespace testing_support
