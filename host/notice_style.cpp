#include "host/notice_style.h"

namespace dorvane {

namespace {
// The windows.h values, written out because this file stays free of windows.h.
constexpr unsigned kSystemModal = 0x1000;  // MB_SYSTEMMODAL
constexpr unsigned kTaskModal = 0x2000;    // MB_TASKMODAL
constexpr int kFirstResult = 1;            // IDOK
constexpr int kLastResult = 7;             // IDNO
}  // namespace

unsigned NoticeStyle(unsigned buttons) {
    return (buttons & kSystemModal) ? buttons : buttons | kTaskModal;
}

int NoticeResult(int messageBoxResult) {
    if (messageBoxResult < kFirstResult || messageBoxResult > kLastResult) return 0;
    return messageBoxResult - kFirstResult;
}

}  // namespace dorvane
