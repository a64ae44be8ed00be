#include "host/host_services.h"
#include "host/notice_style.h"

namespace dorvane {

int ShowNotice(const Text& text, UINT buttons, const Text& title) {
    // No owner: with MB_TASKMODAL Windows disables every top-level window of this thread while
    // the box is open, so no click handler can start again underneath it.
    const int pressed = MessageBoxW(nullptr, text.c_str(), title.c_str(), NoticeStyle(buttons));
    return NoticeResult(pressed);
}

}  // namespace dorvane
