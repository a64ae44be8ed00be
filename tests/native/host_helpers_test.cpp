// The Windows-free helpers behind RunProgram, ShowNotice and WriteFileBytes.
#include <gtest/gtest.h>

#include <climits>

#include "host/notice_style.h"
#include "host/show_mode.h"
#include "host/temp_path.h"

namespace dorvane {
namespace {

TEST(ShowWindowForMode, MapsEveryModeAndClampsTheRest) {
    struct Case {
        int mode;
        unsigned short showWindow;
    };
    const Case cases[] = {
        {INT_MIN, 0}, {-1, 0}, {0, 0},  // below the table: hidden, as mode 1
        {1, 0},                          // SW_HIDE
        {2, 1},                          // SW_SHOWNORMAL, the default
        {3, 2},                          // SW_SHOWMINIMIZED
        {4, 3},                          // SW_SHOWMAXIMIZED
        {5, 4},                          // SW_SHOWNOACTIVATE
        {6, 6},                          // SW_MINIMIZE (not 5, SW_SHOW)
        {7, 6}, {INT_MAX, 6},            // above the table: as mode 6
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.showWindow, ShowWindowForMode(c.mode)) << "mode " << c.mode;
    }
}

TEST(NoticeStyle, AddsTaskModalUnlessSystemModal) {
    struct Case {
        unsigned buttons;
        unsigned style;
    };
    const Case cases[] = {
        {0x0000, 0x2000},  // MB_OK -> MB_OK | MB_TASKMODAL
        {0x0024, 0x2024},  // MB_YESNO | MB_ICONQUESTION keep their bits
        {0x2001, 0x2001},  // already task-modal
        {0x1000, 0x1000},  // MB_SYSTEMMODAL stays system-modal only
        {0x1004, 0x1004},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.style, NoticeStyle(c.buttons)) << std::hex << "buttons 0x" << c.buttons;
    }
}

TEST(NoticeResult, IsOneLessThanTheButtonIdAndZeroOtherwise) {
    struct Case {
        int pressed;
        int result;
    };
    const Case cases[] = {
        {1, 0}, {2, 1}, {3, 2}, {4, 3}, {5, 4}, {6, 5}, {7, 6},  // IDOK .. IDNO
        {0, 0},                                                 // MessageBox failed
        {-1, 0}, {8, 0}, {10, 0}, {11, 0}, {32000, 0},          // IDCLOSE, IDTRYAGAIN, ...
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.result, NoticeResult(c.pressed)) << "pressed " << c.pressed;
    }
}

TEST(TempPathBeside, StaysInTheTargetsFolderForEveryFormOfPath) {
    struct Case {
        const wchar_t* target;
        const wchar_t* temp;
    };
    const Case cases[] = {
        {L"C:\\Games\\QQ\\TCLS\\config\\dirserver.xml", L"C:\\Games\\QQ\\TCLS\\config\\~0000abcd.tmp"},
        {L"C:\\dirserver.xml", L"C:\\~0000abcd.tmp"},
        {L"\\TCLS\\config\\dirserver.xml", L"\\TCLS\\config\\~0000abcd.tmp"},  // rooted on the current drive
        {L"\\dirserver.xml", L"\\~0000abcd.tmp"},
        {L"dirserver.xml", L"~0000abcd.tmp"},            // current directory
        {L"C:dirserver.xml", L"C:~0000abcd.tmp"},        // current directory of drive C
        {L"C:/Games/dirserver.xml", L"C:/Games/~0000abcd.tmp"},
        {L"C:\\Games/QQ\\a.xml", L"C:\\Games/QQ\\~0000abcd.tmp"},
        {L"\\\\server\\share\\a.xml", L"\\\\server\\share\\~0000abcd.tmp"},
        {L"C:\\My Games\\炫舞 한국\\a.xml", L"C:\\My Games\\炫舞 한국\\~0000abcd.tmp"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(std::wstring(c.temp), TempPathBeside(c.target, 0xabcd));
    }
}

TEST(TempPathBeside, NamesDifferByTheirNumberInEightHexDigits) {
    EXPECT_EQ(L"C:\\x\\~00000000.tmp", TempPathBeside(L"C:\\x\\a", 0));
    EXPECT_EQ(L"C:\\x\\~ffffffff.tmp", TempPathBeside(L"C:\\x\\a", 0xffffffffUL));
    EXPECT_NE(TempPathBeside(L"C:\\x\\a", 1), TempPathBeside(L"C:\\x\\a", 2));
}

}  // namespace
}  // namespace dorvane
