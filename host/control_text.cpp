#include "host/host_services.h"

namespace dorvane {

Text GetControlText(HWND box) {
    const int length = GetWindowTextLengthW(box);
    if (length <= 0) return Text();
    Text text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(box, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

void SetControlText(HWND box, const Text& text) {
    // The box keeps its own copy; an empty text empties it.
    SetWindowTextW(box, text.c_str());
}

}  // namespace dorvane
