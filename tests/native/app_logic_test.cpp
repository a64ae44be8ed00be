// The window-free logic of the shell: the tab order, the executable path split and the texts of
// the run-time error box.
#include <gtest/gtest.h>

#include "app/fatal_message.h"
#include "app/path_split.h"
#include "app/tab_order.h"

namespace dorvane {
namespace {

// The window's 23 controls in creation order (the reverse of the definition order), with the
// tab stop flags of the definition; every control is shown and enabled.
std::vector<TabCandidate> MainWindowCandidates() {
    const bool tabStops[] = {
        true,  true,  true,  true,  true,  true,   // 按钮1 编辑框1 按钮2 按钮3 编辑框2 按钮4
        true,  true,  true,  true,  false, false,  // 按钮5 编辑框3 编辑框4 编辑框5 图片框1 分组框1
        false, true,  false, false, true,  false,  // 外形框1 编辑框6 图片框2 标签1 编辑框7 标签2
        false, false, false, false, false,         // 标签3 标签4 标签5 标签6 标签7
    };
    std::vector<TabCandidate> candidates;
    for (std::size_t i = 0; i < std::size(tabStops); ++i) candidates.push_back({true, true, tabStops[i], 0, i});
    return candidates;
}

TEST(TabOrder, MainWindowVisitsTheTwelveTabStopsInCreationOrder) {
    // 按钮1 编辑框1 按钮2 按钮3 编辑框2 按钮4 按钮5 编辑框3 编辑框4 编辑框5 编辑框6 编辑框7
    EXPECT_EQ(TabOrder(MainWindowCandidates()), (std::vector<std::size_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 13, 16}));
}

TEST(TabOrder, HiddenDisabledAndNonStopsStayOutAndIndexesSortStably) {
    std::vector<TabCandidate> c = {
        {true, true, true, 2, 0},   // later by index
        {false, true, true, 0, 1},  // hidden
        {true, false, true, 0, 2},  // disabled
        {true, true, false, 0, 3},  // no tab stop
        {true, true, true, 0, 4},
        {true, true, true, -1, 5},  // negative index first
        {true, true, true, 0, 6},   // same index as 4: creation order decides
    };
    EXPECT_EQ(TabOrder(c), (std::vector<std::size_t>{5, 4, 6, 0}));
}

TEST(TabOrder, NextWrapsBothWaysAndStartsFromTheEndsWhenOutside) {
    const std::vector<std::size_t> order{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 13, 16};
    struct Case {
        std::size_t current;
        bool forward;
        std::size_t expected;
    } cases[] = {
        {0, true, 1},    {9, true, 13},  {16, true, 0},    // after the last, back to the first
        {0, false, 16},  {13, false, 9},                   // before the first, to the last
        {20, true, 0},   {20, false, 16},                  // focus on no tab stop (a label)
    };
    for (const Case& c : cases)
        EXPECT_EQ(NextInTabOrder(order, c.current, c.forward), c.expected) << c.current << (c.forward ? " +" : " -");
    EXPECT_EQ(NextInTabOrder({}, 7, true), 7u);
}

TEST(PathSplit, SplitsAtTheLastBackslash) {
    struct Case {
        const wchar_t* path;
        const wchar_t* folder;
        const wchar_t* file;
    } cases[] = {
        {L"C:\\Games\\Dorvane\\Dorvane.exe", L"C:\\Games\\Dorvane", L"Dorvane.exe"},
        // In the root of a drive the folder is the bare drive, its current folder.
        {L"D:\\Dorvane.exe", L"D:", L"Dorvane.exe"},
        {L"\\\\server\\share\\Dorvane.exe", L"\\\\server\\share", L"Dorvane.exe"},
        {L"Dorvane.exe", L"", L"Dorvane.exe"},
        // Characters whose GBK second byte is 0x5C ("\") are never split.
        {L"C:\\游戏\\乗刓嘰\\Dorvane.exe", L"C:\\游戏\\乗刓嘰", L"Dorvane.exe"},
        {L"C:\\游戏\\工具乗\\X乗.exe", L"C:\\游戏\\工具乗", L"X乗.exe"},
    };
    for (const Case& c : cases) {
        SplitPath split = SplitAtLastBackslash(c.path);
        EXPECT_EQ(split.folder, c.folder);
        EXPECT_EQ(split.fileName, c.file);
    }
}

TEST(FatalMessage, BoxTextHasTheCodeAndMessageOnlyWhenGiven) {
    struct Case {
        const wchar_t* message;
        int code;
        const wchar_t* expected;
    } cases[] = {
        {L"载入窗口模板数据段出错!", 0, L"运行时出错!\r\n\r\n错误信息：载入窗口模板数据段出错!\r\n"},
        {L"载入启动窗口失败", 0, L"运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n"},
        {L"x", -5, L"运行时出错!\r\n\r\n错误代码：-5\r\n\r\n错误信息：x\r\n"},
        {L"", 12, L"运行时出错!\r\n\r\n错误代码：12\r\n\r\n"},
        {L"", 0, L"运行时出错!\r\n\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(FatalMessageText(c.message, c.code), c.expected);
    EXPECT_EQ(AllocationFailureMessage(3142660), L"分配 3142660 字节内存失败!");
}

}  // namespace
}  // namespace dorvane
