// The real Dorvane.exe under Wine: its window, controls, keyboard, pixels and ways to end.
#include <gtest/gtest.h>

#include <map>

#include "host_test_support.h"
#include "program_driver.h"

namespace dorvane::test {
namespace {

struct ExpectedControl {
    int id;
    const wchar_t* name;
    const wchar_t* className;
    int parentId;  // 0: the window itself
    RECT rect;  // left, top, right, bottom in the parent's client area
    bool tabStop;
    const wchar_t* text;
};

// Table C as the player's window must show it: every control with its class, place and text.
const ExpectedControl kControls[] = {
    {kLabel7, L"标签7", L"DorvaneLabel", 0, {160, 104, 408, 120}, false, L"不定期清理群内不活跃成员!"},
    {kLabel6, L"标签6", L"DorvaneLabel", 0, {0, 128, 376, 144}, false, L"我们追求简单简洁,Quonsel保证不添加任何广告!"},
    {kLabel5, L"标签5", L"DorvaneLabel", 0, {232, 144, 392, 176}, false, L"QuonselQQ 2654172810"},
    {kLabel4, L"标签4", L"DorvaneLabel", 0, {120, 72, 376, 88}, false, L"QQ炫舞体验服4群；613502474"},
    {kLabel3, L"标签3", L"DorvaneLabel", 0, {120, 48, 376, 72}, false, L"QQ炫舞体验服3群；613502473\r\n"},
    {kLabel2, L"标签2", L"DorvaneLabel", 0, {120, 24, 376, 48}, false, L"QQ炫舞体验服2群；613502472"},
    {kEdit7, L"编辑框7", L"Edit", kPicture2, {864, 104, 1104, 120}, true, L"QQ炫舞体验服2群；613502472"},
    {kLabel1, L"标签1", L"DorvaneLabel", 0, {120, 0, 376, 24}, false, L"QQ炫舞体验服1群；613502471"},
    {kPicture2, L"图片框2", L"DorvanePicture", 0, {0, 0, 128, 120}, false, L""},
    {kEdit6, L"编辑框6", L"Edit", 0, {-8, -16, 392, 184}, true, L""},
    {kShape1, L"外形框1", L"DorvaneShape", kPicture1, {624, 152, 784, 208}, false, L""},
    {kGroup1, L"分组框1", L"Button", 0, {888, 160, 936, 216}, false, L""},
    {kPicture1, L"图片框1", L"DorvanePicture", 0, {520, 48, 640, 160}, false, L""},
    {kEdit5, L"编辑框5", L"Edit", 0, {528, 24, 560, 48}, true, L""},
    {kEdit4, L"编辑框4", L"Edit", 0, {520, 64, 640, 84}, true, L""},
    {kEdit3, L"编辑框3", L"Edit", 0, {512, 160, 848, 264}, true, L""},
    {kButton5, L"按钮5", L"Button", 0, {440, 176, 760, 272}, true, L"按钮"},
    {kButton4, L"按钮4", L"Button", 0, {96, 344, 280, 384}, true, L"转换正式服"},
    {kEdit2, L"编辑框2", L"Edit", 0, {96, 312, 280, 336}, true, L""},
    {kButton3, L"按钮3", L"Button", 0, {8, 311, 88, 335}, true, L"目录"},
    {kButton2, L"按钮2", L"Button", 0, {96, 256, 280, 296}, true, L"转换体验服"},
    {kEdit1, L"编辑框1", L"Edit", 0, {94, 224, 278, 244}, true, L""},
    {kButton1, L"按钮1", L"Button", 0, {8, 222, 88, 246}, true, L"目录"},
};

const int kTabOrder[] = {kButton1, kEdit1, kButton2, kButton3, kEdit2, kButton4,
                         kButton5, kEdit3, kEdit4, kEdit5, kEdit6, kEdit7};

// A single-line box lower than its text plus the edges grows to fit, keeping its top.
int EditHeightFloor() {
    WindowDc dc(nullptr);
    ScopedSelect font(dc.Get(), GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    GetTextExtentPoint32W(dc.Get(), L"吴", 1, &size);
    return size.cy + 2 * GetSystemMetrics(SM_CYEDGE);
}

std::wstring ProgramPath() { return BesideTest(L"Dorvane.exe"); }

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(program_.Started());
        ASSERT_NE(program_.WaitForWindow(), nullptr) << "no window titled Dorvane V1.0";
        window_ = program_.Window();
        // Give the window time to finish its first paint and take the focus.
        WaitUntil([&] { return program_.Focus() != nullptr; }, 5000);
    }
    HWND C(int id) const { return program_.Control(id); }

    // Started from another folder, as a shortcut would.
    RunningProgram program_{ProgramPath(), TempFolder()};
    HWND window_ = nullptr;
};

TEST(Locale, AnsiCodePageFollowsTheLocaleOfTheRun) {
    char lang[64] = "";
    GetEnvironmentVariableA("LANG", lang, sizeof lang);
    if (std::string(lang).rfind("zh_CN", 0) == 0) {
        EXPECT_EQ(GetACP(), 936u);
    }
    if (std::string(lang).rfind("en_US", 0) == 0) {
        EXPECT_EQ(GetACP(), 1252u);
    }
}

TEST_F(WindowTest, FixedCentredWindowWithOnlyACloseBox) {
    EXPECT_EQ(TextOf(window_), L"Dorvane V1.0");
    RECT outer;
    GetWindowRect(window_, &outer);
    EXPECT_EQ(outer.right - outer.left, 381);
    EXPECT_EQ(outer.bottom - outer.top, 426);
    int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(screenWidth, 1024);
    EXPECT_EQ(screenHeight, 768);
    EXPECT_EQ(outer.left, (screenWidth - 381) / 2);
    EXPECT_EQ(outer.top, (screenHeight - 426) / 2);

    LONG style = GetWindowLongW(window_, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_THICKFRAME) << "resizable";
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(style & WS_CLIPCHILDREN);
    EXPECT_EQ(GetWindowLongW(window_, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW), 0);
    EXPECT_EQ(GetWindow(window_, GW_OWNER), nullptr);
    EXPECT_EQ(GetMenu(window_), nullptr);

}

TEST_F(WindowTest, EveryControlHasItsClassPlaceStyleAndText) {
    int editFloor = EditHeightFloor();
    int count = 0;
    for (const ExpectedControl& e : kControls) {
        SCOPED_TRACE(::testing::Message() << "control id " << e.id);
        HWND hwnd = C(e.id);
        ASSERT_NE(hwnd, nullptr);
        ++count;
        EXPECT_EQ(ClassOf(hwnd), e.className);
        EXPECT_EQ(GetParent(hwnd), e.parentId ? C(e.parentId) : window_);
        RECT want = e.rect;
        if (std::wstring(e.className) == L"Edit" && want.bottom - want.top < editFloor) want.bottom = want.top + editFloor;
        RECT got = RectInParent(hwnd);
        EXPECT_EQ(got.left, want.left);
        EXPECT_EQ(got.top, want.top);
        EXPECT_EQ(got.right, want.right);
        EXPECT_EQ(got.bottom, want.bottom);
        LONG style = GetWindowLongW(hwnd, GWL_STYLE);
        EXPECT_EQ((style & WS_CHILD) != 0, true);
        EXPECT_EQ((style & WS_CLIPSIBLINGS) != 0, true);
        EXPECT_EQ((style & WS_TABSTOP) != 0, e.tabStop);
        EXPECT_TRUE(style & WS_VISIBLE);
        EXPECT_FALSE(style & WS_DISABLED);
        EXPECT_EQ(TextOf(hwnd), e.text);
        if (std::wstring(e.className) == L"Edit") {
            EXPECT_TRUE(style & ES_AUTOHSCROLL);
            EXPECT_FALSE(style & (ES_MULTILINE | ES_READONLY | ES_PASSWORD | ES_NOHIDESEL));
            EXPECT_TRUE(GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
        }
        if (e.id == kGroup1) {
            EXPECT_EQ(style & 0xF, BS_GROUPBOX);
        }
        if (std::wstring(e.className) == L"Button" && e.id != kGroup1) {
            EXPECT_EQ(style & 0xF, BS_PUSHBUTTON);
            EXPECT_EQ(style & (BS_CENTER | BS_VCENTER | BS_MULTILINE), BS_CENTER | BS_VCENTER | BS_MULTILINE);
        }
    }
    EXPECT_EQ(count, 23);
}

TEST_F(WindowTest, ControlsAreStackedInDefinitionOrder) {
    std::vector<int> stacked;
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        stacked.push_back(GetDlgCtrlID(child));
    std::vector<int> expected;
    for (const ExpectedControl& e : kControls)
        if (e.parentId == 0) expected.push_back(e.id);
    EXPECT_EQ(stacked, expected) << "the window's own children, top first";
}

TEST_F(WindowTest, TabAndShiftTabVisitEveryTabStopInOrder) {
    ASSERT_TRUE(BringToFront(window_));
    EXPECT_EQ(program_.Focus(), C(kButton1)) << "focus starts on 按钮1";
    for (size_t i = 1; i <= std::size(kTabOrder); ++i) {
        PressKey(VK_TAB);
        EXPECT_EQ(program_.Focus(), C(kTabOrder[i % std::size(kTabOrder)])) << "after Tab number " << i;
    }
    for (size_t i = 1; i <= std::size(kTabOrder); ++i) {
        PressKey(VK_TAB, /*shift*/ true);
        size_t n = std::size(kTabOrder);
        EXPECT_EQ(program_.Focus(), C(kTabOrder[(n - i % n) % n])) << "after Shift+Tab number " << i;
    }
    // Ctrl+Tab matches no rule: the focus stays.
    PressKey(VK_TAB, false, /*ctrl*/ true);
    EXPECT_EQ(program_.Focus(), C(kButton1));
}

TEST_F(WindowTest, FocusComesBackAfterTheWindowWasInactive) {
    ASSERT_TRUE(BringToFront(window_));
    for (int i = 0; i < 4; ++i) PressKey(VK_TAB);
    ASSERT_EQ(program_.Focus(), C(kEdit2));

    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                 nullptr, nullptr, nullptr);
    ASSERT_TRUE(BringToFront(other));
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other; }, 2000));
    ASSERT_TRUE(BringToFront(window_));
    EXPECT_TRUE(WaitUntil([&] { return program_.Focus() == C(kEdit2); }, 2000));
    DestroyWindow(other);
}

TEST_F(WindowTest, PixelsShowPanelLabelsPictureFaceAndWhiteBoxes) {
    ASSERT_TRUE(BringToFront(window_));
    Sleep(500);
    RECT client;
    GetClientRect(window_, &client);
    ScreenShot shot = CaptureScreen(ClientToScreenRect(window_, client));
    POINT origin{0, 0};
    ClientToScreen(window_, &origin);
    auto at = [&](int x, int y) { return shot.At(origin.x + x, origin.y + y); };
    auto count = [&](RECT r, auto predicate) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += predicate(at(x, y)) ? 1 : 0;
        return n;
    };

    // The black panel, away from every text, down to just above y = 184.
    EXPECT_EQ(at(5, 150), RGB(0, 0, 0));
    EXPECT_EQ(at(200, 178), RGB(0, 0, 0));
    // Magenta text in 标签1, violet in 标签7, red in 标签5, olive in 标签6.
    EXPECT_GT(count({120, 0, 256, 24}, [](COLORREF c) { return c == RGB(255, 0, 255); }), 30);
    EXPECT_GT(count({160, 104, 370, 120}, [](COLORREF c) { return c == RGB(88, 48, 224); }), 30);
    EXPECT_GT(count({232, 144, 370, 176}, [](COLORREF c) { return c == RGB(255, 0, 0); }), 30);
    EXPECT_GT(count({0, 128, 370, 144}, [](COLORREF c) { return c == RGB(128, 128, 0); }), 30);
    // The picture: mostly neither black nor the face colour; its right 8 columns lie under the
    // black labels down to y = 88.
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    int picturePixels = count({0, 0, 120, 120}, [&](COLORREF c) { return c != RGB(0, 0, 0) && c != face; });
    EXPECT_GT(picturePixels, 120 * 120 / 2);
    // (black, or magenta text smoothed over black)
    auto blackOrMagenta = [](COLORREF c) { return GetGValue(c) == 0 && GetRValue(c) == GetBValue(c); };
    EXPECT_EQ(count({120, 0, 128, 88}, [&](COLORREF c) { return !blackOrMagenta(c); }), 0);
    // Below the panel the 3-D face colour, with white folder boxes.
    EXPECT_EQ(at(200, 200), face);
    EXPECT_EQ(at(20, 300), face);
    EXPECT_EQ(at(180, 234), RGB(255, 255, 255));
    EXPECT_EQ(at(180, 324), RGB(255, 255, 255));
}

// Every way of closing the window ends the program with exit code 0, without a question.
TEST(WindowClosing, EscCloseBoxAndAltF4EndWithExitCodeZero) {
    struct Case {
        const char* name;
        void (*close)(RunningProgram&);
    };
    const Case cases[] = {
        {"Esc on 按钮1", [](RunningProgram& p) { PressKey(VK_ESCAPE); (void)p; }},
        {"Esc while the caret is in 编辑框1",
         [](RunningProgram& p) {
             PressKey(VK_TAB);
             ASSERT_EQ(p.Focus(), p.Control(kEdit1));
             PressKey(VK_ESCAPE);
         }},
        {"Esc posted to 编辑框2", [](RunningProgram& p) { PostKey(p.Control(kEdit2), VK_ESCAPE); }},
        {"close box", [](RunningProgram& p) { PostMessageW(p.Window(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Alt+F4", [](RunningProgram&) { PressKey(VK_F4, false, false, /*alt*/ true); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RunningProgram program(ProgramPath(), TempFolder());
        ASSERT_NE(program.WaitForWindow(), nullptr);
        ASSERT_TRUE(BringToFront(program.Window()));
        WaitUntil([&] { return program.Focus() == program.Control(kButton1); }, 3000);
        c.close(program);
        EXPECT_EQ(program.WaitForExit(10000), 0u);
    }
}

TEST(WindowClosing, ShiftEscDoesNotClose) {
    RunningProgram program(ProgramPath(), TempFolder());
    ASSERT_NE(program.WaitForWindow(), nullptr);
    ASSERT_TRUE(BringToFront(program.Window()));
    PressKey(VK_ESCAPE, /*shift*/ true);
    EXPECT_EQ(program.WaitForExit(1000), static_cast<DWORD>(STILL_ACTIVE));
}

TEST(WindowPlacement, CentredOnASmallerScreen) {
    RunningProgram program(ProgramPath(), TempFolder(), L"small,800x600");
    ASSERT_NE(program.WaitForWindow(), nullptr);
    RECT outer;
    GetWindowRect(program.Window(), &outer);
    EXPECT_EQ(outer.left, (800 - 381) / 2);
    EXPECT_EQ(outer.top, (600 - 426) / 2);
    PostMessageW(program.Window(), WM_CLOSE, 0, 0);
}

// Without its stored picture and sound the program cannot build its window: one error box,
// then exit code -1.
TEST(FatalError, MissingStoredDataShowsTheErrorBoxAndEndsWithMinusOne) {
    RunningProgram program(BesideTest(L"DorvaneWithoutData.exe"), TempFolder());
    ASSERT_TRUE(program.Started());
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            box = FindWindowW(L"#32770", L"错误");
            return box != nullptr;
        },
        15000));
    DWORD pid = 0;
    GetWindowThreadProcessId(box, &pid);
    EXPECT_EQ(pid, program.ProcessId());
    wchar_t text[256] = L"";
    GetDlgItemTextW(box, 0xFFFF, text, 256);
    EXPECT_STREQ(text, L"运行时出错!\r\n\r\n错误信息：载入窗口模板数据段出错!\r\n");
    EXPECT_EQ(program.WaitForWindow(0), nullptr) << "no window is shown";
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(program.WaitForExit(10000), static_cast<DWORD>(-1));
}

}  // namespace
}  // namespace dorvane::test
