// The lifetime rule through the class factory, in this process: live objects
// and server locks count, and the count reaching zero posts the quit to the
// main thread of a server that COM started, and of no other.
#include <gtest/gtest.h>

#include <windows.h>

#include "VexlorECR_TLB.h"
#include "server/class_factory.h"
#include "server/server_module.h"
#include "server/win_handles.h"

namespace {

bool QuitPosted() {
    MSG message;
    return PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

TEST(LifetimeTest, ServerLockOutlivesTheLastObject) {
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // gives this thread its message queue
    for (bool startedByCom : {true, false}) {
        SCOPED_TRACE(startedByCom ? "started by COM" : "started otherwise");
        server::ServerModule& module = server::Module();
        module.Initialize(startedByCom);
        server::TECRFiscFactory& factory = server::Factory();

        ASSERT_EQ(factory.LockServer(TRUE), S_OK);
        {
            server::ComPtr<IDispatch> object;
            ASSERT_EQ(factory.CreateInstance(nullptr, IID_IDispatch,
                                             reinterpret_cast<void**>(object.put())),
                      S_OK);
            EXPECT_EQ(module.LockCount(), 2);
        }
        EXPECT_EQ(module.LockCount(), 1);
        EXPECT_FALSE(QuitPosted()) << "quit with a server lock held";

        ASSERT_EQ(factory.LockServer(FALSE), S_OK);
        EXPECT_EQ(module.LockCount(), 0);
        EXPECT_EQ(QuitPosted(), startedByCom);
    }
}

}  // namespace
