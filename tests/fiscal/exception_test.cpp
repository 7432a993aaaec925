// An exception inside a member reaches the client as an error object with
// the class's ProgID as source and the message as description: late-bound
// through IDispatch::Invoke's exception information, early-bound through
// GetErrorInfo. The serial port of the test throws on its first write.
//
// The executable carries the server's type library and registers itself as
// the server, for the registered type library that IDispatch is served from
// and the ProgID that names the error's source.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "VexlorECR_TLB.h"
#include "devicelink/device_link.h"
#include "fiscal/TECRFiscImpl.h"
#include "fiscal/object_state.h"
#include "server/registration.h"
#include "server/win_handles.h"
#include "tests/support/com_text.h"
#include "tests/support/fake_port.h"
#include "tests/support/late_bound.h"

using server::ComPtr;
using server::UniqueBstr;
using testing_support::Hex;
using testing_support::LateCall;
using testing_support::Narrow;

namespace {

constexpr char kProgId[] = "VexlorECR.TECRFisc";

struct Thrower {
    const char* name;
    std::function<void()> raise;
    std::string description;
};

const Thrower kThrowers[] = {
    {"run-time error", [] { throw std::runtime_error("port driver failed"); },
     "port driver failed"},
    {"allocation failure", [] { throw std::bad_alloc(); }, std::bad_alloc().what()},
    {"no std::exception", [] { throw 42; }, ""},
};

class ExceptionTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        server::RegisterServer();
    }
    static void TearDownTestSuite() {
        server::UnregisterServer();
        CoUninitialize();
    }

    void SetUp() override {
        fiscal::State() = fiscal::ObjectState{};
        object_ = new fiscal::TTECRFiscImpl(nullptr, nullptr);
    }
    void TearDown() override { object_->Release(); }

    // Opens COM1 on a port whose next write throws.
    void OpenThrowingPort(const Thrower& thrower) {
        ports_.line->onWrite = [&thrower](const std::vector<std::uint8_t>&) { thrower.raise(); };
        int result = 0;
        ASSERT_EQ(object_->SetComPort(1, 115200, &result), S_OK);
        ASSERT_EQ(result, 1);
    }

    testing_support::FakePorts ports_;
    devicelink::DeviceLink link_{ports_};
    devicelink::ScopedDeviceLink useLink_{link_};
    fiscal::TTECRFiscImpl* object_ = nullptr;
};

TEST_F(ExceptionTest, LateBoundClientGetsSourceAndDescription) {
    for (const Thrower& thrower : kThrowers) {
        SCOPED_TRACE(thrower.name);
        ASSERT_NO_FATAL_FAILURE(OpenThrowingPort(thrower));
        LateCall call(object_, L"IsPresent", DISPATCH_METHOD);
        EXPECT_EQ(call.hr, DISP_E_EXCEPTION) << Hex(call.hr);
        EXPECT_EQ(Narrow(call.exception.bstrSource), kProgId);
        EXPECT_EQ(Narrow(call.exception.bstrDescription), thrower.description);
    }
}

TEST_F(ExceptionTest, EarlyBoundClientFindsTheErrorObject) {
    for (const Thrower& thrower : kThrowers) {
        SCOPED_TRACE(thrower.name);
        ASSERT_NO_FATAL_FAILURE(OpenThrowingPort(thrower));
        SetErrorInfo(0, nullptr);
        VARIANT_BOOL present = 7;
        const HRESULT hr = object_->IsPresent(&present);
        EXPECT_EQ(hr, DISP_E_EXCEPTION) << Hex(hr);
        EXPECT_EQ(present, 7) << "the out-parameter keeps what it held";

        ComPtr<IErrorInfo> info;
        ASSERT_EQ(GetErrorInfo(0, info.put()), S_OK);
        ASSERT_TRUE(info);
        GUID guid{};
        info->GetGUID(&guid);
        EXPECT_TRUE(IsEqualGUID(guid, IID_ITECRFisc));
        UniqueBstr source, description;
        info->GetSource(source.put());
        info->GetDescription(description.put());
        EXPECT_EQ(Narrow(source.get()), kProgId);
        EXPECT_EQ(Narrow(description.get()), thrower.description);
    }
}

}  // namespace
