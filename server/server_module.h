// The process around the objects: the count of live objects and server
// locks, and the quit rule. A server that COM started (/Automation) ends when
// the count drops to zero; one started otherwise keeps serving.
#pragma once

#include <windows.h>

namespace server {

class ServerModule {
public:
    // Records the main thread, which gets the quit message, and whether the
    // command line carries /Automation.
    void Initialize(bool startedByCom);

    void Lock();
    // Posts WM_QUIT to the main thread when the count reaches zero in a
    // server that COM started.
    void Unlock();
    LONG LockCount() const { return lockCount_; }

    bool RunAsServer = true;
    DWORD RegistrationCookie = 0;

private:
    volatile LONG lockCount_ = 0;
    DWORD mainThreadId_ = 0;
    bool startedByCom_ = false;
};

ServerModule& Module();

}  // namespace server
