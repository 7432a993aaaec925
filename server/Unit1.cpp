#include "server/Unit1.h"

#include "server/server_module.h"

namespace server {

namespace {

constexpr char kClassName[] = "TForm1";
constexpr char kCaption[] = "VexlorECR";
constexpr int kLeft = 501;
constexpr int kTop = 410;
constexpr int kClientWidth = 167;
constexpr int kClientHeight = 53;
// Single border, not sizeable, the system menu as the only border icon.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            if (MayTerminate(window)) DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

bool MayTerminate(HWND owner) {
    if (Module().LockCount() <= 0) return true;
    return MessageBoxA(owner, kTerminationText, kTerminationCaption,
                       MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2 | MB_TASKMODAL) == IDYES;
}

HWND CreateForm1(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = FormProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);

    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRect(&frame, kStyle, FALSE);
    HWND window = CreateWindowA(kClassName, kCaption, kStyle, kLeft, kTop,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                nullptr, instance, nullptr);
    if (window) ShowWindow(window, SW_SHOWMINIMIZED);
    return window;
}

}  // namespace server
