// The program's own control classes: labels, picture boxes and shape boxes, each painting its
// whole client area itself.
#pragma once

#include <windows.h>

#include "app/app_context.h"
#include "app/window_definition.h"
#include "host/win_handles.h"

namespace dorvane {

constexpr const wchar_t* kLabelClass = L"DorvaneLabel";
constexpr const wchar_t* kPictureClass = L"DorvanePicture";
constexpr const wchar_t* kShapeClass = L"DorvaneShape";

// Registers the three classes once per process; false when registration fails.
bool RegisterControlClasses();

// What each class receives as its creation parameter.
struct PictureCreation {
    const PicBoxProperties* properties;
    StoredBytes jpeg;
};

LRESULT CALLBACK LabelProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK PictureProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ShapeProc(HWND, UINT, WPARAM, LPARAM);

// The painting messages, answered alike by every control that paints all of itself: no
// background erase, and one paint routine for WM_PAINT and WM_PRINTCLIENT. `paint` takes the
// DC and the area to paint. True when the message was one of them.
template <typename Paint>
bool HandlePainting(HWND hwnd, UINT message, WPARAM wParam, Paint paint, LRESULT& result) {
    switch (message) {
        case WM_ERASEBKGND:
            result = 1;
            return true;
        case WM_PAINT: {
            PaintScope scope(hwnd);
            paint(scope.Dc(), scope.Dirty());
            result = 0;
            return true;
        }
        case WM_PRINTCLIENT: {
            RECT client;
            GetClientRect(hwnd, &client);
            paint(reinterpret_cast<HDC>(wParam), client);
            result = 0;
            return true;
        }
    }
    return false;
}

// A picture box is a container: what its children send to their parent goes on to the
// top-level window, which owns the controls' events and colours.
bool ForwardToTopLevel(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

}  // namespace dorvane
