// Start-up of the program: bind the calendar library, register the window
// class, create the window and run the message loop.
// windows.h first: the other Win32 headers need its types.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "app_state.h"
#include "library_loader.h"
#include "resource.h"

namespace tenvo {

AppState gApp;

namespace {

void registerWindowClass(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.style = 0;
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, TENVO_RES_ICON);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszMenuName = TENVO_RES_MENU;
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);
}

// Without the library nothing can be shown: say once what is missing and
// end with a non-zero status instead of calling through a null pointer.
int reportMissingLibrary(const char* problem, BindResult result) {
    MessageBoxA(nullptr, problem, kWindowTitle, MB_OK | MB_ICONSTOP);
    return result == BindResult::LibraryMissing ? 2 : 3;
}

}  // namespace

int runProgram(HINSTANCE instance, HINSTANCE previous, int showState) {
    gApp.instance = instance;

    HMODULE library = nullptr;
    char problem[256];
    const BindResult bound =
        loadCalendarLibrary(gApp.boundLibrary, library, problem, sizeof problem);
    if (bound != BindResult::Bound) return reportMissingLibrary(problem, bound);
    gApp.library = gApp.boundLibrary;

    // The date dialog holds up-down controls; each day's lore shows in a
    // tooltip.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    if (previous == nullptr) registerWindowClass(instance);
    HWND window = CreateWindowExA(0, kWindowClass, kWindowTitle,
                                  WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 320, 200, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, showState);
    UpdateWindow(window);
    gApp.mainWindow = window;
    gApp.accelerators = LoadAcceleratorsA(instance, TENVO_RES_ACCELERATORS);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorA(gApp.mainWindow, gApp.accelerators, &message) == 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

}  // namespace tenvo

// The command line is ignored.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int showState) {
    return tenvo::runProgram(instance, previous, showState);
}
