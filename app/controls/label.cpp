// A label: its caption on one line, vertically centred, in its own font and colours.
#include <string>

#include "app/colours.h"
#include "app/controls/control_classes.h"
#include "host/win_handles.h"

namespace dorvane {
namespace {

struct LabelState {
    const LabelProperties* properties;
    GdiObject<HFONT> font;
};

HFONT CreateStoredFont(const FontSpec* stored) {
    if (!stored) return nullptr;
    LOGFONTW lf{};
    lf.lfHeight = stored->height;
    lf.lfWidth = stored->width;
    lf.lfEscapement = stored->escapement;
    lf.lfOrientation = stored->orientation;
    lf.lfWeight = stored->weight;
    lf.lfItalic = stored->italic;
    lf.lfUnderline = stored->underline;
    lf.lfStrikeOut = stored->strikeOut;
    lf.lfCharSet = stored->charSet;
    lf.lfOutPrecision = stored->outPrecision;
    lf.lfClipPrecision = stored->clipPrecision;
    lf.lfQuality = stored->quality;
    lf.lfPitchAndFamily = stored->pitchAndFamily;
    lstrcpynW(lf.lfFaceName, stored->face, LF_FACESIZE);
    return CreateFontIndirectW(&lf);
}

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd, &text[0], static_cast<int>(text.size()))));
    return text;
}

void PaintLabel(HWND hwnd, const LabelState& state, HDC dc) {
    RECT client;
    GetClientRect(hwnd, &client);
    GdiObject<HBRUSH> background(CreateSolidBrush(ToColorRef(state.properties->background)));
    FillRect(dc, &client, background.Get());

    HGDIOBJ font = state.font ? static_cast<HGDIOBJ>(state.font.Get()) : GetStockObject(DEFAULT_GUI_FONT);
    ScopedSelect selectFont(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(state.properties->text));
    std::wstring caption = WindowText(hwnd);
    // A CR LF at the end of a caption does not break the line: it is drawn on one line.
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &client,
              DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
}

}  // namespace

LRESULT CALLBACK LabelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<LabelState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    LRESULT painted = 0;
    if (state && HandlePainting(hwnd, message, wParam, [&](HDC dc, const RECT&) { PaintLabel(hwnd, *state, dc); },
                                painted))
        return painted;
    switch (message) {
        case WM_NCCREATE: {
            auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            auto* properties = static_cast<const LabelProperties*>(create->lpCreateParams);
            state = new LabelState{properties, GdiObject<HFONT>(CreateStoredFont(properties->font))};
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
            break;
        }
        case WM_SETTEXT: {
            LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
            InvalidateRect(hwnd, nullptr, FALSE);
            return result;
        }
        case WM_NCDESTROY:
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            delete state;
            break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace dorvane
