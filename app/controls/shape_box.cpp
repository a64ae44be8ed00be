// A shape box: an ellipse in its fill colour with the raised double outline, white under black.
#include "app/colours.h"
#include "app/controls/control_classes.h"
#include "host/win_handles.h"

namespace dorvane {
namespace {

void PaintShape(HWND hwnd, const ShapeBoxProperties& shape, HDC dc, const RECT& area) {
    GdiObject<HBRUSH> background(CreateSolidBrush(ToColorRef(shape.background)));
    FillRect(dc, &area, background.Get());

    RECT box;
    GetClientRect(hwnd, &box);
    box.left += 1;
    box.top += 1;
    GdiObject<HPEN> whitePen(CreatePen(PS_INSIDEFRAME, 1, RGB(255, 255, 255)));
    GdiObject<HPEN> blackPen(CreatePen(PS_INSIDEFRAME, 1, RGB(0, 0, 0)));
    GdiObject<HBRUSH> fill(CreateSolidBrush(ToColorRef(shape.fill)));
    {
        ScopedSelect pen(dc, whitePen.Get());
        ScopedSelect brush(dc, fill.Get());
        Ellipse(dc, box.left, box.top, box.right, box.bottom);
    }
    OffsetRect(&box, -1, -1);
    ScopedSelect pen(dc, blackPen.Get());
    ScopedSelect brush(dc, GetStockObject(NULL_BRUSH));
    Ellipse(dc, box.left, box.top, box.right, box.bottom);
}

}  // namespace

LRESULT CALLBACK ShapeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* shape = reinterpret_cast<const ShapeBoxProperties*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    LRESULT painted = 0;
    if (shape && HandlePainting(hwnd, message, wParam,
                                [&](HDC dc, const RECT& area) { PaintShape(hwnd, *shape, dc, area); }, painted))
        return painted;
    switch (message) {
        case WM_NCCREATE: {
            auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
            break;
        }
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace dorvane
