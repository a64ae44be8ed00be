// Turning stored colours into Windows colours.
#pragma once

#include <windows.h>

#include "app/window_definition.h"

namespace dorvane {

// The system default stands for the 3-D face colour, read whenever it is used.
inline COLORREF ToColorRef(Colour c) {
    return c.systemDefault ? GetSysColor(COLOR_BTNFACE) : RGB(c.r, c.g, c.b);
}

}  // namespace dorvane
