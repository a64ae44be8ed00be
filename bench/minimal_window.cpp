// The yardstick of the start-up figure: the least a Win32 program does to show one window. It
// registers a class, creates a window of Dorvane's size centred on the screen, shows and paints
// it, and runs a message loop until the window is closed.
#include <windows.h>

#include "host/win_handles.h"

namespace {

constexpr int kWidth = 381;   // Dorvane's window size, so both programs paint as many pixels
constexpr int kHeight = 426;
constexpr COLORREF kFill = RGB(0, 120, 215);

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_PAINT: {
            dorvane::PaintScope paint(window);
            dorvane::GdiObject<HBRUSH> brush(CreateSolidBrush(kFill));
            FillRect(paint.Dc(), &paint.Dirty(), brush.Get());
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers every pixel
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(window, message, w, l);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = L"DorvaneBenchMinimalWindow";
    if (!RegisterClassW(&windowClass)) return 1;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
    HWND window = CreateWindowW(windowClass.lpszClassName, L"minimal window", WS_CAPTION | WS_SYSMENU, left,
                                top, kWidth, kHeight, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, showCommand);
    UpdateWindow(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
