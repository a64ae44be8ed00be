// The program's own control classes: labels, picture boxes and shape boxes, each painting its
// whole client area itself.
#pragma once

#include <windows.h>

#include "app/app_context.h"
#include "app/window_definition.h"

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

// A picture box is a container: what its children send to their parent goes on to the
// top-level window, which owns the controls' events and colours.
bool ForwardToTopLevel(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

}  // namespace dorvane
