// The automation object's status and connection members, called through its
// own table of functions in this process, against a scripted printer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fiscal/TECRFiscImpl.h"
#include "fiscal/object_state.h"
#include "fiscal/report_exception.h"
#include "tests/fiscal/fake_printer.h"
#include "tests/fiscal/members_fixture.h"
#include "tests/support/com_text.h"

using fiscal::State;
using testing_support::FakePrinter;
using testing_support::MembersTest;
using testing_support::ScriptedReply;
using testing_support::SentCommand;

using testing_support::Narrow;

namespace {

TEST_F(MembersTest, GuardedMemberBeforeSetComPortSendsNothing) {
    EXPECT_EQ(Present(), VARIANT_FALSE);
    EXPECT_EQ(OperationState(), -1);
    EXPECT_EQ(Error(), 1);
    EXPECT_TRUE(printer.ports.line->written.empty());
}

TEST_F(MembersTest, SetComPortStates) {
    int result = 0;
    for (int speed : {0, 4800, 38400, 115201}) {
        EXPECT_EQ(object->SetComPort(1, speed, &result), S_OK);
        EXPECT_EQ(result, -1) << speed;
    }
    EXPECT_EQ(Error(), 1);
    EXPECT_EQ(printer.ports.opens, 0);

    EXPECT_EQ(object->SetComPort(2, 9600, &result), S_OK);  // no such port
    EXPECT_EQ(result, -1);
    EXPECT_EQ(State().PortOpen, -1);

    EXPECT_EQ(object->SetComPort(1, 115200, &result), S_OK);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(OperationState(), -1);
    EXPECT_EQ(Error(), 0);
    EXPECT_TRUE(printer.ports.line->written.empty());

    // A refused speed leaves the open port usable.
    EXPECT_EQ(object->SetComPort(1, 1200, &result), S_OK);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(Present(), VARIANT_TRUE);

    // Opening again lets the held port go first, so the same port opens.
    EXPECT_EQ(object->SetComPort(1, 9600, &result), S_OK);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(State().PortNumber, 1);
}

TEST_F(MembersTest, CloseComPort) {
    int result = 0;
    EXPECT_EQ(object->CloseComPort(-1, &result), S_OK);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(Error(), 1);

    Open();
    EXPECT_EQ(object->CloseComPort(2, &result), S_OK);
    EXPECT_EQ(result, -1);
    EXPECT_TRUE(printer.sent.empty());
    EXPECT_EQ(Present(), VARIANT_TRUE);

    // Switched off: the status query times out, the port closes anyway and
    // the kept status stays that of the member before.
    printer.replies[74].silent = true;
    const std::uint32_t kept = State().LastStatusWord;
    EXPECT_EQ(object->CloseComPort(1, &result), S_OK);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(State().LastStatusWord, kept);
    EXPECT_EQ(OperationState(), 0);
    EXPECT_EQ(link.PortHandle(), devicelink::kInvalidPort);
    EXPECT_EQ(Present(), VARIANT_FALSE);
    EXPECT_EQ(Error(), 1);
}

struct OutcomeCase {
    const char* name;
    ScriptedReply reply;
    VARIANT_BOOL result;
    LONG operationState;
    LONG error;
    bool timeOut;
    std::vector<int> statusBytes;
};

TEST_F(MembersTest, OutcomesOfAStatusReply) {
    const OutcomeCase cases[] = {
        {"clean", {}, VARIANT_TRUE, 0, 0, false, {0, 0, 0, 0, 0, 0}},
        {"bits 1 and 2", {"", FakePrinter::Status({{0, 0x06}})}, VARIANT_FALSE, -2, 3, false,
         {6, 0, 0, 0, 0, 0}},
        {"S5 bit 2 has no number", {"", FakePrinter::Status({{5, 0x04}})}, VARIANT_FALSE, -2, 0,
         false, {0, 0, 0, 0, 0, 4}},
        {"informing bit", {"", FakePrinter::Status({{1, 0x08}})}, VARIANT_TRUE, 0, 0, false,
         {0, 8, 0, 0, 0, 0}},
        {"S0 bit 0", {"", FakePrinter::Status({{0, 0x01}})}, VARIANT_FALSE, -2, 2, false,
         {1, 0, 0, 0, 0, 0}},
        {"S0 bit 5 and S4 bit 5", {"", FakePrinter::Status({{0, 0x20}, {4, 0x20}})}, VARIANT_FALSE,
         -2, 20, false, {0x20, 0, 0, 0, 0x20, 0}},
        {"no reply", {"", {}, true}, VARIANT_FALSE, -2, 19, true, {0, 0, 0, 0, 0, 0}},
    };
    Open();
    for (const OutcomeCase& c : cases) {
        SCOPED_TRACE(c.name);
        printer.replies[74] = c.reply;
        VARIANT_BOOL result = 7;
        EXPECT_EQ(object->GetStatusFP(VARIANT_TRUE, &result), S_OK);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(OperationState(), c.operationState);
        EXPECT_EQ(Error(), c.error);
        EXPECT_EQ(TimeOut(), c.timeOut);
        for (int i = 0; i < 6; ++i) EXPECT_EQ(StatusByte(i), c.statusBytes[i]) << "Status" << i;
    }
    // GetStatusFP and IsPresent both send two "W" queries, whatever NoWait says.
    printer.sent.clear();
    VARIANT_BOOL result;
    object->GetStatusFP(VARIANT_FALSE, &result);
    object->IsPresent(&result);
    EXPECT_EQ(printer.sent, (std::vector<SentCommand>(4, {74, "W"})));
}

TEST_F(MembersTest, FPStatusShowsTheLastReplyOfAnyKind) {
    Open();
    printer.replies[74] = {"", FakePrinter::Status({{5, 0x10}, {2, 0x01}})};
    VARIANT_BOOL result;
    object->IsPresent(&result);

    LONG index = -1;
    for (LONG put : {6L, -1L, 5L, 2L}) {
        EXPECT_EQ(object->put_FPIndexStatus(put), S_OK);
        EXPECT_EQ(object->get_FPIndexStatus(&index), S_OK);
        EXPECT_EQ(index, put == 6 || put == -1 ? 0 : put);
    }
    LONG value = -1;
    EXPECT_EQ(object->get_FPStatus(&value), S_OK);
    EXPECT_EQ(value, 1);

    // A later exchange whose outcome is not recorded still shows in FPStatus,
    // not in Status0..Status5.
    printer.replies[74] = {"", FakePrinter::Status({{2, 0x04}})};
    int closed;
    object->CloseComPort(1, &closed);
    object->get_FPStatus(&value);
    EXPECT_EQ(value, 4);
    EXPECT_EQ(StatusByte(2), 1);
}

TEST_F(MembersTest, GetSerNumberReadsTheSeventhFieldAndRecordsNothing) {
    Open();
    printer.replies[90] = {"1 2 3 4 5 6 SN00012345,rest"};
    printer.replies[74] = {"", FakePrinter::Status({{1, 0x08}})};
    VARIANT_BOOL present;
    object->IsPresent(&present);
    const std::uint32_t kept = State().LastStatusWord;

    BSTR number = nullptr;
    LONG result = -1;
    EXPECT_EQ(object->GetSerNumber(&number, &result), S_OK);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Narrow(number), "SN00012345");
    SysFreeString(number);
    EXPECT_EQ(State().LastStatusWord, kept);
    EXPECT_EQ(printer.sent.back(), (SentCommand{90, "0"}));

    // A short reply has no seventh field: the number is empty, never a field
    // of an older reply.
    printer.replies[90] = {"A B C"};
    number = nullptr;
    EXPECT_EQ(object->GetSerNumber(&number, &result), S_OK);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Narrow(number), "");
    SysFreeString(number);

    printer.replies[90].silent = true;
    number = nullptr;
    EXPECT_EQ(object->GetSerNumber(&number, &result), S_OK);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(number, nullptr);
    EXPECT_EQ(object->GetSerNumber(nullptr, &result), E_POINTER);
}

TEST_F(MembersTest, IdDevNeedsNoGuard) {
    BSTR value = nullptr;
    // No port was ever opened: the link is not ready.
    EXPECT_EQ(object->get_ID_DEV(&value), S_OK);
    EXPECT_EQ(Narrow(value), "");
    SysFreeString(value);
    EXPECT_EQ(OperationState(), -1);

    Open();
    printer.replies[255] = {"ABC123,XYZ"};
    EXPECT_EQ(object->get_ID_DEV(&value), S_OK);
    EXPECT_EQ(Narrow(value), "ABC123");
    SysFreeString(value);
    EXPECT_EQ(OperationState(), 0);
    EXPECT_EQ(printer.sent, (std::vector<SentCommand>{{255, ""}}));

    printer.replies[255] = {"ABC123", FakePrinter::Status({{0, 0x02}})};
    EXPECT_EQ(object->get_ID_DEV(&value), S_OK);
    EXPECT_EQ(Narrow(value), "");
    SysFreeString(value);
    EXPECT_EQ(OperationState(), -2);
}

TEST_F(MembersTest, VersionTexts) {
    BSTR value = nullptr;
    EXPECT_EQ(object->GetVerDLL(&value), S_OK);
    EXPECT_EQ(Narrow(value), "");
    SysFreeString(value);
    EXPECT_EQ(object->get_VersionDLL(&value), S_OK);
    EXPECT_EQ(Narrow(value), "VexlorECR OLE v6.00 QZ4417R 06.04.2018");
    SysFreeString(value);
    EXPECT_EQ(object->get_VersionDLL(nullptr), E_POINTER);
}

TEST_F(MembersTest, ObjectAnswersOnlyItsInterfaces) {
    void* out = nullptr;
    EXPECT_EQ(object->QueryInterface(IID_ITECRFisc, &out), S_OK);
    static_cast<IUnknown*>(out)->Release();
    EXPECT_EQ(object->QueryInterface(IID_IDispatch, &out), S_OK);
    static_cast<IUnknown*>(out)->Release();
    EXPECT_EQ(object->QueryInterface(IID_ISupportErrorInfo, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
}

TEST(ReportExceptionTest, ExceptionBecomesAnErrorObject) {
    LONG value = 0;
    const HRESULT hr = fiscal::Member(&value, [] { throw std::runtime_error("Неверное значение"); });
    EXPECT_EQ(hr, DISP_E_EXCEPTION) << std::hex << hr;
    IErrorInfo* info = nullptr;
    ASSERT_EQ(GetErrorInfo(0, &info), S_OK);
    GUID guid{};
    info->GetGUID(&guid);
    EXPECT_TRUE(IsEqualGUID(guid, IID_ITECRFisc));
    BSTR description = nullptr;
    info->GetDescription(&description);
    EXPECT_GT(SysStringLen(description), 0u);
    SysFreeString(description);
    info->Release();
}

}  // namespace
