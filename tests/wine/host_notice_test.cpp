// ShowNotice as the player sees it: the box is found from a second thread, read and closed with
// one of its buttons.
#include <gtest/gtest.h>

#include "host/host_services.h"
#include "host_test_support.h"

namespace dorvane {
namespace {

// What the second thread saw of the box before it pressed a button.
struct SeenBox {
    bool found = false;
    std::wstring caption;
    std::wstring message;
    LONG_PTR exStyle = 0;
    bool ownerWindowEnabled = true;
};

// Waits on its own thread for the message box of `threadId`, reads it and presses `button`.
SeenBox PressWhenShown(DWORD threadId, HWND ownWindow, int button) {
    SeenBox seen;
    HWND box = test::WaitForThreadWindow(threadId, L"#32770");
    if (!box) return seen;
    seen.found = true;
    seen.caption = test::WindowText(box);
    seen.message = test::WindowText(GetDlgItem(box, 0xFFFF));  // the message's static control
    seen.exStyle = GetWindowLongPtrW(box, GWL_EXSTYLE);
    seen.ownerWindowEnabled = IsWindowEnabled(ownWindow) != FALSE;
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
    return seen;
}

TEST(ShowNotice, ReportsTheClosingButton) {
    struct Case {
        UINT buttons;
        int pressed;
        int result;
    };
    const Case cases[] = {
        {MB_OK, IDOK, 0},
        {MB_OKCANCEL, IDCANCEL, 1},
        {MB_ABORTRETRYIGNORE, IDABORT, 2},
        {MB_RETRYCANCEL, IDRETRY, 3},
        {MB_ABORTRETRYIGNORE, IDIGNORE, 4},
        {MB_YESNO, IDYES, 5},
        {MB_YESNOCANCEL, IDNO, 6},
        {MB_CANCELTRYCONTINUE, IDCONTINUE, 0},  // beyond IDNO: 0
    };
    test::TopWindow window(L"program window");
    const DWORD self = GetCurrentThreadId();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "buttons " << c.buttons << ", pressed " << c.pressed);
        SeenBox seen;
        test::BackgroundTask player([&] { seen = PressWhenShown(self, window.Get(), c.pressed); });
        EXPECT_EQ(c.result, ShowNotice(L"message", c.buttons, L"提示"));
        player.Join();
        EXPECT_TRUE(seen.found);
    }
}

TEST(ShowNotice, ShowsTheExactTextsAndKeepsTheProgramFromInput) {
    struct Case {
        const char* what;
        std::wstring text;
        UINT buttons;
        bool windowsDisabled;
        bool topmost;
    };
    const Case cases[] = {
        {"a notice as the handlers show it", L"QQ炫舞目录选择错误 ，请选择正确的QQ炫舞目录", 0, true, false},
        {"text outside GBK", L"게임 폴더 🎮 C:\\게임", 0, true, false},
        {"empty text", L"", MB_OK, true, false},
        {"already task-modal", L"x", MB_OK | MB_TASKMODAL, true, false},
        {"system-modal stays as asked", L"x", MB_OK | MB_SYSTEMMODAL, false, true},
    };
    const DWORD self = GetCurrentThreadId();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TopWindow window(L"program window");
        SeenBox seen;
        test::BackgroundTask player([&] { seen = PressWhenShown(self, window.Get(), IDOK); });
        EXPECT_EQ(0, ShowNotice(c.text, c.buttons, L"提示"));
        ASSERT_TRUE(player.Join());
        ASSERT_TRUE(seen.found);
        EXPECT_EQ(L"提示", seen.caption);
        EXPECT_EQ(c.text, seen.message);
        EXPECT_EQ(c.windowsDisabled, !seen.ownerWindowEnabled) << "program window disabled while open";
        EXPECT_EQ(c.topmost, (seen.exStyle & WS_EX_TOPMOST) != 0);
        EXPECT_TRUE(IsWindowEnabled(window.Get())) << "enabled again afterwards";
    }
}

}  // namespace
}  // namespace dorvane
