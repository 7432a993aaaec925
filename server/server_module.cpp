#include "server/server_module.h"

namespace server {

void ServerModule::Initialize(bool startedByCom) {
    mainThreadId_ = GetCurrentThreadId();
    startedByCom_ = startedByCom;
}

void ServerModule::Lock() { InterlockedIncrement(&lockCount_); }

void ServerModule::Unlock() {
    if (InterlockedDecrement(&lockCount_) == 0 && startedByCom_)
        PostThreadMessageA(mainThreadId_, WM_QUIT, 0, 0);
}

ServerModule& Module() {
    static ServerModule module;
    return module;
}

}  // namespace server
