#include "app/controls/control_classes.h"

namespace dorvane {
namespace {

bool RegisterOne(const wchar_t* name, WNDPROC proc) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
    wc.hbrBackground = nullptr;  // each control paints all of itself
    wc.lpszClassName = name;
    if (RegisterClassExW(&wc)) return true;
    return GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

bool RegisterControlClasses() {
    return RegisterOne(kLabelClass, LabelProc) && RegisterOne(kPictureClass, PictureProc) &&
           RegisterOne(kShapeClass, ShapeProc);
}

bool ForwardToTopLevel(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_COMMAND:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            HWND top = GetAncestor(hwnd, GA_ROOT);
            if (!top || top == hwnd) return false;
            result = SendMessageW(top, message, wParam, lParam);
            return true;
        }
    }
    return false;
}

}  // namespace dorvane
