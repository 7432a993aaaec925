// The automation object in this process, called through its own table of
// functions, with a scripted printer on the fake serial port.
#pragma once

#include <gtest/gtest.h>

#include "devicelink/device_link.h"
#include "fiscal/TECRFiscImpl.h"
#include "fiscal/object_state.h"
#include "tests/fiscal/fake_printer.h"

namespace testing_support {

class MembersTest : public ::testing::Test {
protected:
    void SetUp() override {
        fiscal::State() = fiscal::ObjectState{};
        object = new fiscal::TTECRFiscImpl(nullptr, nullptr);
    }
    void TearDown() override { object->Release(); }

    void Open() {
        int result = 0;
        ASSERT_EQ(object->SetComPort(1, 115200, &result), S_OK);
        ASSERT_EQ(result, 1);
        printer.sent.clear();
    }
    LONG Error() {
        LONG e = -99;
        EXPECT_EQ(object->GetError(&e), S_OK);
        return e;
    }
    LONG OperationState() {
        LONG v = -99;
        EXPECT_EQ(object->get_StatusBytes(&v), S_OK);
        return v;
    }
    bool TimeOut() {
        VARIANT_BOOL v = 7;
        EXPECT_EQ(object->get_TimeOutFP(&v), S_OK);
        return v == VARIANT_TRUE;
    }
    signed char StatusByte(int i) {
        signed char v = -1;
        HRESULT (fiscal::TTECRFiscImpl::*getters[])(signed char*) = {
            &fiscal::TTECRFiscImpl::get_Status0, &fiscal::TTECRFiscImpl::get_Status1,
            &fiscal::TTECRFiscImpl::get_Status2, &fiscal::TTECRFiscImpl::get_Status3,
            &fiscal::TTECRFiscImpl::get_Status4, &fiscal::TTECRFiscImpl::get_Status5};
        EXPECT_EQ((object->*getters[i])(&v), S_OK);
        return v;
    }
    VARIANT_BOOL Present() {
        VARIANT_BOOL v = 7;
        EXPECT_EQ(object->IsPresent(&v), S_OK);
        return v;
    }

    FakePrinter printer;
    devicelink::DeviceLink link{printer.ports};
    devicelink::ScopedDeviceLink useLink{link};
    fiscal::TTECRFiscImpl* object = nullptr;
};

}  // namespace testing_support
