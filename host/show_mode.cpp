#include "host/show_mode.h"

namespace dorvane {

unsigned short ShowWindowForMode(int showMode) {
    // The SW_* values, written out because this file stays free of windows.h.
    static const unsigned short kShowWindow[] = {
        0,  // 1: SW_HIDE
        1,  // 2: SW_SHOWNORMAL
        2,  // 3: SW_SHOWMINIMIZED
        3,  // 4: SW_SHOWMAXIMIZED
        4,  // 5: SW_SHOWNOACTIVATE
        6,  // 6: SW_MINIMIZE
    };
    if (showMode < 1) showMode = 1;
    if (showMode > 6) showMode = 6;
    return kShowWindow[showMode - 1];
}

}  // namespace dorvane
