// VexlorECR.exe: the COM local server of the class TECRFisc.
//
//   /RegServer    register the class and its type library, then exit
//   /UnregServer  remove the class's registry entries, then exit
//   /Automation   (COM's start) serve; exit when the last object is gone
//   /Embedding    serve without registering; keep running
//   no switch     register, then serve; keep running until closed
#include <windows.h>
#include <objbase.h>

#include <cstdlib>
#include <exception>

#include "VexlorECR_TLB.h"
#include "server/Unit1.h"
#include "server/class_factory.h"
#include "server/registration.h"
#include "server/server_module.h"
#include "server/switches.h"

namespace {

void ShowException(const char* message) {
    MessageBoxA(nullptr, message, "VexlorECR", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

void Serve(HINSTANCE instance) {
    server::ServerModule& module = server::Module();
    CoRegisterClassObject(CLSID_TECRFisc, &server::Factory(), CLSCTX_LOCAL_SERVER,
                          REGCLS_MULTIPLEUSE, &module.RegistrationCookie);
    server::CreateForm1(instance);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CoInitialize(nullptr);
    server::ServerModule& module = server::Module();
    try {
        const server::StartMode mode = server::StartModeOf(__argc, __argv);
        module.Initialize(server::SwitchPresent(__argc, __argv, "AUTOMATION"));
        switch (mode) {
            case server::StartMode::Register:
                server::RegisterServer();
                module.RunAsServer = false;
                break;
            case server::StartMode::Unregister:
                server::UnregisterServer();
                module.RunAsServer = false;
                break;
            case server::StartMode::Manual:
                server::RegisterServer();
                break;
            case server::StartMode::Automation:
            case server::StartMode::Embedding:
                break;
        }
        if (module.RunAsServer) Serve(instance);
    } catch (const std::exception& e) {
        ShowException(e.what());
    } catch (...) {
        ShowException("");
    }
    if (module.RunAsServer && module.RegistrationCookie) CoRevokeClassObject(module.RegistrationCookie);
    CoUninitialize();
    return 0;
}
