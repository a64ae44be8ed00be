// A picture box: the stored JPEG, decoded once when the box is created, stretched over the
// whole client area. It is also a container for other controls.
#include "app/colours.h"
#include "app/controls/control_classes.h"
#include "app/jpeg_decode.h"
#include "host/win_handles.h"

namespace dorvane {
namespace {

struct PictureState {
    const PicBoxProperties* properties;
    GdiObject<HBITMAP> bitmap;  // null when the picture could not be decoded
    int width = 0;
    int height = 0;
};

HBITMAP CreateBitmapFromJpeg(const StoredBytes& jpeg, int& width, int& height) {
    DecodedImage image;
    if (!DecodeJpeg(jpeg.data, jpeg.size, image)) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;  // top-down rows, as libjpeg writes them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return nullptr;
    std::copy(image.pixels.begin(), image.pixels.end(), static_cast<unsigned char*>(bits));
    width = image.width;
    height = image.height;
    return bitmap;
}

// HALFTONE gives the best scaled picture but needs more than 16 bits per pixel to be worth it.
int StretchModeForDisplay() {
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    if (EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode) && mode.dmBitsPerPel > 16) return HALFTONE;
    return COLORONCOLOR;
}

void PaintPicture(HWND hwnd, const PictureState& state, HDC dc) {
    RECT client;
    GetClientRect(hwnd, &client);
    GdiObject<HBRUSH> background(CreateSolidBrush(ToColorRef(state.properties->background)));
    FillRect(dc, &client, background.Get());
    if (!state.bitmap) return;
    MemoryDc source(dc);
    if (!source) return;
    ScopedSelect selectBitmap(source.Get(), state.bitmap.Get());
    SetStretchBltMode(dc, StretchModeForDisplay());
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, 0, 0, client.right, client.bottom, source.Get(), 0, 0, state.width, state.height, SRCCOPY);
}

}  // namespace

LRESULT CALLBACK PictureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<PictureState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    LRESULT result = 0;
    if (ForwardToTopLevel(hwnd, message, wParam, lParam, result)) return result;
    if (state &&
        HandlePainting(hwnd, message, wParam, [&](HDC dc, const RECT&) { PaintPicture(hwnd, *state, dc); }, result))
        return result;
    switch (message) {
        case WM_NCCREATE: {
            auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            auto* creation = static_cast<const PictureCreation*>(create->lpCreateParams);
            state = new PictureState{creation->properties, GdiObject<HBITMAP>()};
            state->bitmap.Reset(CreateBitmapFromJpeg(creation->jpeg, state->width, state->height));
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
            break;
        }
        case WM_NCDESTROY:
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            delete state;
            break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace dorvane
