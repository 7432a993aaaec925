// A C++ client of VexlorECR.exe through real COM, for what script clients
// cannot do: hold a server lock, pass typed by-reference arguments, and
// answer the question the server asks when it is closed while objects live.
// com_probe.sh registers the server in the test prefix and runs one suite.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <tlhelp32.h>

#include <cstring>
#include <string>
#include <vector>

#include "VexlorECR_TLB.h"
#include "server/win_handles.h"
#include "tests/support/com_text.h"
#include "tests/support/late_bound.h"
#include "tests/support/members_table.h"

using server::ComPtr;
using server::UniqueBstr;
using testing_support::ByRef;
using testing_support::DispIdOf;
using testing_support::Hex;
using testing_support::InterfaceMember;
using testing_support::kMembers;
using testing_support::LateCall;
using testing_support::LongArg;
using testing_support::LongOf;
using testing_support::Narrow;
using testing_support::TextArg;

namespace {

constexpr char kVersionText[] = "VexlorECR OLE v6.00 QZ4417R 06.04.2018";
// The printer stand-in's serial number (its factory state).
constexpr char kSerialNumber[] = "QZ17000123";
constexpr char kFormClass[] = "TForm1";
constexpr char kFormCaption[] = "VexlorECR";
constexpr char kDialogClass[] = "#32770";
constexpr char kWarningCaption[] = "COM Server Warning";
constexpr char kWarningText[] =
    "There are still active COM objects in this application.  One or more clients may have "
    "references to these objects, so manually closing this application may cause those client "
    "application(s) to fail.\n\nAre you sure you want to close this application?";
// The control that holds a message box's text.
constexpr int kMessageBoxTextId = 0xFFFF;
constexpr DWORD kEndTimeoutMs = 30000;
constexpr DWORD kWindowTimeoutMs = 10000;

void CloseKernelHandle(HANDLE handle) { CloseHandle(handle); }
using UniqueKernelHandle = server::UniqueHandle<HANDLE, &CloseKernelHandle>;

std::vector<DWORD> ServerProcessIds() {
    std::vector<DWORD> ids;
    HANDLE taken = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (taken == INVALID_HANDLE_VALUE) return ids;
    UniqueKernelHandle snapshot(taken);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        if (_wcsicmp(entry.szExeFile, L"VexlorECR.exe") == 0) ids.push_back(entry.th32ProcessID);
    }
    return ids;
}

// A server process of this test. One still running when the test ends is
// stopped, so that the next test starts without a server.
class ServerProcess {
public:
    ServerProcess(HANDLE process, DWORD id) : process_(process), id_(id) {}
    ServerProcess(ServerProcess&&) = default;
    ~ServerProcess() {
        if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT)
            TerminateProcess(process_.get(), 1);
    }

    explicit operator bool() const { return static_cast<bool>(process_); }
    DWORD Id() const { return id_; }
    bool EndsWithin(DWORD ms) const {
        return WaitForSingleObject(process_.get(), ms) == WAIT_OBJECT_0;
    }
    DWORD ExitCode() const {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process_.get(), &code);
        return code;
    }

private:
    UniqueKernelHandle process_;
    DWORD id_;
};

// The one VexlorECR.exe that runs (COM started it); empty if there is not
// exactly one.
ServerProcess TheRunningServer() {
    const std::vector<DWORD> ids = ServerProcessIds();
    if (ids.size() != 1) return {nullptr, 0};
    const DWORD access = SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION;
    return {OpenProcess(access, FALSE, ids[0]), ids[0]};
}

// VexlorECR.exe started as a user starts it: no switch. com_probe.sh names
// it in VEXLOR_SERVER.
ServerProcess StartByHand() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"VEXLOR_SERVER", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {nullptr, 0};
    std::wstring commandLine = L"\"" + std::wstring(path, length) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        return {nullptr, 0};
    }
    CloseHandle(started.hThread);
    return {started.hProcess, started.dwProcessId};
}

struct WindowQuery {
    DWORD processId;
    const char* className;
    const char* caption;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    auto& query = *reinterpret_cast<WindowQuery*>(param);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char className[64] = {};
    char caption[128] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, caption, sizeof caption);
    if (processId == query.processId && std::strcmp(className, query.className) == 0 &&
        std::strcmp(caption, query.caption) == 0) {
        query.found = window;
        return FALSE;
    }
    return TRUE;
}

// The top-level window of the process with this class and caption, once it
// appears within `ms`; null if it does not.
HWND WaitForWindow(DWORD processId, const char* className, const char* caption,
                   DWORD ms = kWindowTimeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + ms;
    for (;;) {
        WindowQuery query{processId, className, caption, nullptr};
        EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&query));
        if (query.found || GetTickCount64() >= deadline) return query.found;
        Sleep(50);
    }
}

bool WaitUntilGone(HWND window) {
    const ULONGLONG deadline = GetTickCount64() + kWindowTimeoutMs;
    while (IsWindow(window)) {
        if (GetTickCount64() >= deadline) return false;
        Sleep(50);
    }
    return true;
}

// A control's text; it belongs to another process, so it is asked for with
// WM_GETTEXT.
std::string ControlText(HWND control) {
    char text[1024] = {};
    DWORD_PTR copied = 0;
    if (!control || !SendMessageTimeoutA(control, WM_GETTEXT, sizeof text,
                                         reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                                         &copied)) {
        return "<no text>";
    }
    return std::string(text, copied < sizeof text ? copied : sizeof text - 1);
}

// Presses the box's button `id` the way the button itself reports a click.
bool Answer(HWND box, int id) {
    HWND button = GetDlgItem(box, id);
    return button && PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                  reinterpret_cast<LPARAM>(button));
}

std::string VersionOf(IDispatch* object) {
    LateCall call(object, L"VersionDLL", DISPATCH_PROPERTYGET);
    if (call.hr != S_OK || call.result.vt != VT_BSTR) return "failed with " + Hex(call.hr);
    return Narrow(call.result.bstrVal);
}

HRESULT CreateObject(ComPtr<IDispatch>& object) {
    return CoCreateInstance(CLSID_TECRFisc, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                            reinterpret_cast<void**>(object.put()));
}

// Each test starts without a server and in a single-threaded apartment, as
// automation clients run.
class ComClient : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ServerProcessIds().empty()) << "a VexlorECR.exe is running already";
        const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        ASSERT_EQ(hr, S_OK) << Hex(hr);
        initialized_ = true;
    }
    void TearDown() override {
        if (initialized_) CoUninitialize();
    }

private:
    bool initialized_ = false;
};

class ServerLock : public ComClient {};
class LateBinding : public ComClient {};
class TerminationCheck : public ComClient {};

// COM starts the server for the factory; a server lock keeps it after its
// last object has gone, and the unlock that brings the count to zero ends it.
TEST_F(ServerLock, KeepsTheServerWithoutObjectsUntilUnlocked) {
    ComPtr<IClassFactory> factory;
    HRESULT hr = CoGetClassObject(CLSID_TECRFisc, CLSCTX_LOCAL_SERVER, nullptr, IID_IClassFactory,
                                  reinterpret_cast<void**>(factory.put()));
    ASSERT_EQ(hr, S_OK) << "CoGetClassObject: " << Hex(hr);
    ServerProcess server = TheRunningServer();
    ASSERT_TRUE(server) << ServerProcessIds().size() << " servers run after CoGetClassObject";

    hr = factory->LockServer(TRUE);
    if (hr == E_NOTIMPL) {
        // The platform's factory proxy answers itself and never reaches the
        // server. One object, created and released, lets the server go.
        ComPtr<IDispatch> object;
        factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(object.put()));
        object.reset();
        factory.reset();
        EXPECT_TRUE(server.EndsWithin(kEndTimeoutMs));
        GTEST_SKIP() << "IClassFactory::LockServer through the factory proxy gives E_NOTIMPL: "
                        "this COM does not pass server locks on to the server";
    }
    ASSERT_EQ(hr, S_OK) << "LockServer(TRUE): " << Hex(hr);

    {
        ComPtr<IDispatch> object;
        hr = factory->CreateInstance(nullptr, IID_IDispatch,
                                     reinterpret_cast<void**>(object.put()));
        ASSERT_EQ(hr, S_OK) << "CreateInstance: " << Hex(hr);
        EXPECT_EQ(VersionOf(object.get()), kVersionText);
    }
    EXPECT_FALSE(server.EndsWithin(2000)) << "the server ended while locked, exit code "
                                          << server.ExitCode();
    EXPECT_EQ(ServerProcessIds().size(), 1u);

    hr = factory->LockServer(FALSE);
    EXPECT_EQ(hr, S_OK) << "LockServer(FALSE): " << Hex(hr);
    factory.reset();
    EXPECT_TRUE(server.EndsWithin(kEndTimeoutMs)) << "the server still runs after the unlock";
}

TEST_F(LateBinding, EveryMemberAnswersToItsNameWithItsDispid) {
    ComPtr<IDispatch> object;
    const HRESULT hr = CreateObject(object);
    ASSERT_EQ(hr, S_OK) << "CoCreateInstance: " << Hex(hr);
    ServerProcess server = TheRunningServer();
    ASSERT_TRUE(server);

    for (const InterfaceMember& member : kMembers) {
        const std::wstring name(member.name, member.name + std::strlen(member.name));
        DISPID id = DISPID_UNKNOWN;
        const HRESULT found = DispIdOf(object.get(), name.c_str(), &id);
        EXPECT_EQ(found, S_OK) << member.name << ": " << Hex(found);
        EXPECT_EQ(id, member.dispid) << member.name;
    }
    DISPID id = DISPID_UNKNOWN;
    EXPECT_EQ(DispIdOf(object.get(), L"NoSuchMember", &id), DISP_E_UNKNOWNNAME);

    object.reset();
    EXPECT_TRUE(server.EndsWithin(kEndTimeoutMs));
}

// Against the printer stand-in on COM1.
TEST_F(LateBinding, TypedByReferenceArgumentsReachTheMembers) {
    ComPtr<IDispatch> object;
    const HRESULT hr = CreateObject(object);
    ASSERT_EQ(hr, S_OK) << "CoCreateInstance: " << Hex(hr);
    ServerProcess server = TheRunningServer();
    ASSERT_TRUE(server);

    {
        LateCall open(object.get(), L"SetComPort", DISPATCH_METHOD, {LongArg(1), LongArg(115200)});
        ASSERT_EQ(open.hr, S_OK) << Hex(open.hr);
        ASSERT_EQ(LongOf(open.result), 1) << "COM1 did not open";
    }

    // GetSerNumber([out] BSTR* Number, [out, retval] LONG* Result)
    BSTR number = nullptr;
    LateCall serial(object.get(), L"GetSerNumber", DISPATCH_METHOD, {ByRef(&number)});
    const UniqueBstr numberOwner(number);
    EXPECT_EQ(serial.hr, S_OK) << Hex(serial.hr) << " argument " << serial.argError;
    EXPECT_EQ(LongOf(serial.result), 1);
    EXPECT_EQ(Narrow(number), kSerialNumber);

    // ClearOperatorPassword(BSTR, LONG, VARIANT_BOOL* Result) writes through
    // an input pointer, passed by reference. The call counts as dispatched
    // whatever the member made of it; a member answering E_NOTIMPL comes
    // back from type-library dispatch as an exception with that code.
    const UniqueBstr password(SysAllocString(L"0000"));
    VARIANT_BOOL cleared = VARIANT_FALSE;
    LateCall clear(object.get(), L"ClearOperatorPassword", DISPATCH_METHOD,
                   {TextArg(password.get()), LongArg(1), ByRef(&cleared)});
    const bool dispatched =
        clear.hr == S_OK || clear.hr == E_NOTIMPL ||
        (clear.hr == DISP_E_EXCEPTION && clear.exception.scode == E_NOTIMPL);
    EXPECT_TRUE(dispatched) << Hex(clear.hr) << " scode " << Hex(clear.exception.scode)
                            << " argument " << clear.argError;

    // The pointer is typed: a reference to a LONG is refused, and the
    // argument named is the pointer (Invoke counts from the last).
    LONG notBool = 0;
    LateCall mismatch(object.get(), L"ClearOperatorPassword", DISPATCH_METHOD,
                      {TextArg(password.get()), LongArg(1), ByRef(&notBool)});
    EXPECT_EQ(mismatch.hr, DISP_E_TYPEMISMATCH) << Hex(mismatch.hr);
    EXPECT_EQ(mismatch.argError, 0u);

    LateCall close(object.get(), L"CloseComPort", DISPATCH_METHOD, {LongArg(1)});
    EXPECT_EQ(close.hr, S_OK) << Hex(close.hr);
    EXPECT_EQ(LongOf(close.result), 1);

    object.reset();
    EXPECT_TRUE(server.EndsWithin(kEndTimeoutMs));
}

// Started by hand, the server keeps running without objects until its
// window is closed; with no object alive it does not ask.
TEST_F(TerminationCheck, ClosingWithoutObjectsEndsAtOnce) {
    ServerProcess server = StartByHand();
    ASSERT_TRUE(server) << "VexlorECR.exe (VEXLOR_SERVER) did not start";
    const HWND form = WaitForWindow(server.Id(), kFormClass, kFormCaption);
    ASSERT_TRUE(form) << "no main window";

    PostMessageA(form, WM_CLOSE, 0, 0);
    EXPECT_TRUE(server.EndsWithin(kEndTimeoutMs))
        << (WaitForWindow(server.Id(), kDialogClass, kWarningCaption, 0) ? "it asks"
                                                                          : "it keeps running");
    EXPECT_EQ(server.ExitCode(), 0u);
}

// While a client holds an object, closing the window asks first: No keeps
// the server serving that client, Yes ends it.
TEST_F(TerminationCheck, ClosingWhileAnObjectLivesAsksFirst) {
    ServerProcess server = StartByHand();
    ASSERT_TRUE(server) << "VexlorECR.exe (VEXLOR_SERVER) did not start";
    const HWND form = WaitForWindow(server.Id(), kFormClass, kFormCaption);
    ASSERT_TRUE(form) << "no main window";
    ComPtr<IDispatch> object;
    const HRESULT hr = CreateObject(object);
    ASSERT_EQ(hr, S_OK) << "CoCreateInstance: " << Hex(hr);
    EXPECT_EQ(ServerProcessIds(), std::vector<DWORD>{server.Id()})
        << "COM started another server instead of using the running one";

    PostMessageA(form, WM_CLOSE, 0, 0);
    HWND box = WaitForWindow(server.Id(), kDialogClass, kWarningCaption);
    ASSERT_TRUE(box) << (server.EndsWithin(0) ? "the server ended without asking" : "no warning");
    EXPECT_EQ(ControlText(GetDlgItem(box, kMessageBoxTextId)), kWarningText);
    ASSERT_TRUE(GetDlgItem(box, IDYES)) << "no Yes button";
    ASSERT_TRUE(Answer(box, IDNO)) << "no No button";
    EXPECT_TRUE(WaitUntilGone(box)) << "the warning stays after No";
    EXPECT_FALSE(server.EndsWithin(1000)) << "No ended the server";
    EXPECT_TRUE(IsWindow(form)) << "No closed the main window";
    EXPECT_EQ(VersionOf(object.get()), kVersionText);

    PostMessageA(form, WM_CLOSE, 0, 0);
    box = WaitForWindow(server.Id(), kDialogClass, kWarningCaption);
    ASSERT_TRUE(box) << (server.EndsWithin(0) ? "the server ended without asking the second time"
                                              : "no warning the second time");
    ASSERT_TRUE(Answer(box, IDYES)) << "no Yes button";
    EXPECT_TRUE(server.EndsWithin(kEndTimeoutMs)) << "Yes did not end the server";
    EXPECT_EQ(server.ExitCode(), 0u);
}

}  // namespace
