// Receipts made with the members on the in-process virtual printer: what the
// printer ends up printing and what the reads report along the way.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "devicelink/device_link.h"
#include "fiscal/TECRFiscImpl.h"
#include "fiscal/object_state.h"
#include "simulator/virtual_port.h"

namespace {

using O = fiscal::TTECRFiscImpl;

class ReceiptOnPrinterTest : public ::testing::Test {
protected:
    void SetUp() override {
        fiscal::State() = fiscal::ObjectState{};
        object = new fiscal::TTECRFiscImpl(nullptr, nullptr);
        for (int n : {1, 2}) {
            simulator::Article& a = ports.Printer().State().Articles[n];
            a.Programmed = true;
            a.Price = n == 1 ? 1250 : 400;  // 12.50 and 4.00
            a.Name = n == 1 ? "Tea" : "Bun";
        }
        int result = 0;
        ASSERT_EQ(object->SetComPort(1, 115200, &result), S_OK);
        ASSERT_EQ(result, 1);
    }
    void TearDown() override {
        object->Release();
        SysFreeString(password);
    }

    // Calls a member with a BOOL result: true for S_OK and a true result.
    template <class Member, class... Args>
    bool Call(Member member, const Args&... args) {
        VARIANT_BOOL result = 7;
        EXPECT_EQ((object->*member)(args..., &result), S_OK);
        return result == VARIANT_TRUE;
    }
    bool Open() { return Call(&O::OpenFiscReceipt, 1, 1, password); }
    bool Sell(LONG article, double quantity, double percentage = 0) {
        return Call(&O::SellArtCash, VARIANT_TRUE, article, quantity, percentage, 0.0);
    }
    bool Pay(double amount, int type) { return Call(&O::Payment, amount, type); }
    bool Close() { return Call(&O::CloseFiscReceipt); }
    // A member with one out-parameter, read.
    template <class T>
    T Read(HRESULT (O::*member)(T*)) {
        T value{};
        EXPECT_EQ((object->*member)(&value), S_OK);
        return value;
    }
    double Sum() { return Read(&O::GetReceiptSum); }
    double Paid() { return Read(&O::GetReceiptPay); }
    LONG Kind() { return Read(&O::get_Receipt); }
    int Number() { return Read(&O::get_NumbRec); }
    bool Printed(const std::string& line) const {
        const auto& lines = ports.JournalLines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    simulator::VirtualPrinterPorts ports;
    devicelink::DeviceLink link{ports};
    devicelink::ScopedDeviceLink useLink{link};
    fiscal::TTECRFiscImpl* object = nullptr;
    BSTR password = SysAllocString(L"0000");
};

TEST_F(ReceiptOnPrinterTest, SaleCardAndTheRestInCash) {
    EXPECT_EQ(Kind(), 0);
    ASSERT_TRUE(Open());
    EXPECT_EQ(Kind(), 1);
    EXPECT_TRUE(Sell(1, 2));
    EXPECT_TRUE(Sell(2, 1, -10));  // 4.00 less 10 %
    EXPECT_EQ(Sum(), 28.6);
    EXPECT_TRUE(Pay(10, 1));
    EXPECT_EQ(Paid(), 10.0);
    EXPECT_TRUE(Pay(0, 0));
    EXPECT_EQ(Paid(), 28.6);
    // Everything paid: a zero payment pays 0.00 and still succeeds.
    EXPECT_TRUE(Pay(0, 0));
    EXPECT_TRUE(Close());
    EXPECT_EQ(Kind(), 0);
    EXPECT_EQ(Number(), 1);
    EXPECT_TRUE(Printed("CASH                           18.60"));
}

TEST_F(ReceiptOnPrinterTest, ChangeGivenAndMorePaidThanTheTotal) {
    ASSERT_TRUE(Open());
    EXPECT_TRUE(Sell(1, 1));
    EXPECT_TRUE(Pay(20, 0));  // cash above the total: the printer gives change
    EXPECT_EQ(Paid(), 20.0);
    EXPECT_FALSE(Pay(0, 1));  // nothing left to pay
    LONG error = 0;
    object->GetError(&error);
    EXPECT_EQ(error, 1);
    EXPECT_TRUE(Close());
}

TEST_F(ReceiptOnPrinterTest, RefundCancelAndEmptyReceipt) {
    ASSERT_TRUE(Call(&O::OpenRefundReceipt, 1, 1, password));
    EXPECT_EQ(Kind(), 2);
    EXPECT_TRUE(Call(&O::ReceiptCancel));
    EXPECT_EQ(Kind(), 0);

    // The printer refuses a sale with no receipt open: a device failure.
    EXPECT_FALSE(Sell(1, 1));
    LONG state = 0;
    object->get_StatusBytes(&state);
    EXPECT_EQ(state, -2);

    EXPECT_TRUE(Call(&O::NullReceipt, 1, 1, password));
    EXPECT_EQ(Kind(), 0);
    const int number = Number();
    EXPECT_GT(number, 0);
    EXPECT_TRUE(Call(&O::DoCopy, 1));
    LONG cut = 0;
    EXPECT_EQ(object->ReceiptCut(&cut), S_OK);
    EXPECT_EQ(cut, 1);
}

}  // namespace
