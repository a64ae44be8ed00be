// The two folder buttons of the real Dorvane.exe, used as a player would: the button clicked,
// the folder chosen in the system chooser, the notice read and closed, the boxes read back.
#include <gtest/gtest.h>

#include "host_chooser_driver.h"
#include "host_test_support.h"
#include "program_driver.h"

namespace dorvane {
namespace {

using namespace test;

const std::wstring kExperienceFound = L"QQ炫舞目录选择正确，可以进行体验服转换";
const std::wstring kOfficialFound = L"QQ炫舞目录选择正确，可以进行正服转换";
const std::wstring kNotFound = L"QQ炫舞目录选择错误 ，请选择正确的QQ炫舞目录";

// A left click at the middle of `window` through the system's input queue, as a mouse would.
void ClickWithMouse(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    const int width = GetSystemMetrics(SM_CXSCREEN) - 1;
    const int height = GetSystemMetrics(SM_CYSCREEN) - 1;
    INPUT input[3] = {};
    for (INPUT& one : input) {
        one.type = INPUT_MOUSE;
        one.mi.dx = ((rect.left + rect.right) / 2) * 65535 / width;
        one.mi.dy = ((rect.top + rect.bottom) / 2) * 65535 / height;
    }
    input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    SendInput(3, input, sizeof(INPUT));
    Sleep(300);
}

// Moves a dialog to the bottom right corner, off the window's buttons.
void MoveAside(HWND dialog) {
    RECT rect;
    GetWindowRect(dialog, &rect);
    SetWindowPos(dialog, nullptr, GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left),
                 GetSystemMetrics(SM_CYSCREEN) - (rect.bottom - rect.top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Sleep(100);
}

class FolderButtonsTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateDirectoryW(game_.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryW((game_ + L"\\bin").c_str(), nullptr));
        ASSERT_TRUE(PutFile(game_ + L"\\bin\\QQ炫舞.exe", "MZ"));
        ASSERT_TRUE(program_.Started()) << "Dorvane.exe beside the test program";
        ASSERT_NE(nullptr, program_.WaitForWindow());
        window_ = program_.Window();
    }

    // What one press of a folder button showed.
    struct Seen {
        bool chooser = false;
        bool windowDisabledInChooser = false;
        bool secondChooser = false;
        bool notice = false;
        bool windowDisabledInNotice = false;
        std::wstring caption;
        std::wstring message;
    };

    // Clicks `button`, chooses `select` in the chooser (Cancel when empty), tries a mouse click on
    // `otherButton` while the chooser and then the notice are open, and closes the notice.
    Seen Press(int button, const std::wstring& select, int otherButton) {
        Seen seen;
        const DWORD ui = program_.UiThread();
        PostMessageW(program_.Control(button), BM_CLICK, 0, 0);
        HWND chooser = WaitForChooser(ui);
        if (!chooser) return seen;
        seen.chooser = true;
        seen.windowDisabledInChooser = !IsWindowEnabled(window_);
        MoveAside(chooser);
        ClickWithMouse(program_.Control(otherButton));
        seen.secondChooser = FindThreadWindow(ui, L"#32770", [&](HWND other) {
            return other != chooser && ChooserTree(other) != nullptr;
        }) != nullptr;

        HWND tree = ChooserTree(chooser);
        const bool picked = !select.empty() && SelectItem(tree, FindPathItem(tree, select));
        PressButton(chooser, picked ? IDOK : IDCANCEL);

        HWND notice = WaitForMessageBox(ui);
        if (!notice) return seen;
        seen.notice = true;
        seen.windowDisabledInNotice = !IsWindowEnabled(window_);
        seen.caption = WindowText(notice);
        seen.message = MessageBoxText(notice);
        MoveAside(notice);
        ClickWithMouse(program_.Control(otherButton));
        seen.secondChooser = seen.secondChooser || WaitForChooser(ui, 300) != nullptr;
        PressButton(notice, IDOK);
        WaitUntil([&] { return IsWindowEnabled(window_) && !FindThreadWindow(ui, L"#32770"); }, 5000);
        return seen;
    }

    void ExpectAnswered(const Seen& seen, const std::wstring& notice) {
        EXPECT_TRUE(seen.chooser) << "the chooser opened";
        EXPECT_TRUE(seen.windowDisabledInChooser) << "the window takes no input under the chooser";
        EXPECT_TRUE(seen.notice) << "a notice followed";
        EXPECT_TRUE(seen.windowDisabledInNotice) << "the window takes no input under the notice";
        EXPECT_FALSE(seen.secondChooser) << "a click on the other button did nothing meanwhile";
        EXPECT_EQ(L"提示", seen.caption);
        EXPECT_EQ(notice, seen.message);
        EXPECT_TRUE(IsWindowEnabled(window_)) << "enabled again afterwards";
        // Whether it is also active again after the notice is the system's affair: Windows
        // activates it when the box goes, Wine on a display without a window manager leaves no
        // window active. That ChooseFolder gives the activation back is tested on its own.
    }

    std::wstring Box(int id) { return WindowText(program_.Control(id)); }
    void SetBox(int id, const std::wstring& text) {
        SendMessageW(program_.Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }

    ScratchFolder root_{L"C:", L"dorvane-game"};
    const std::wstring game_ = root_ / L"QQ炫舞 게임";
    RunningProgram program_{BesideTest(L"Dorvane.exe"), ProgramFolder()};
    HWND window_ = nullptr;
};

TEST_F(FolderButtonsTest, EachButtonFillsItsOwnBoxAndTellsWhetherTheGameIsThere) {
    struct Case {
        const char* what;
        int button;
        int box;
        int otherButton;
        int otherBox;
        std::wstring select;
        std::wstring notice;
    };
    const Case cases[] = {
        {"按钮1 with the game folder", kButton1, kEdit1, kButton3, kEdit2, game_, kExperienceFound},
        {"按钮3 with the game folder", kButton3, kEdit2, kButton1, kEdit1, game_, kOfficialFound},
        {"按钮1 with the bin folder", kButton1, kEdit1, kButton3, kEdit2, game_ + L"\\bin", kNotFound},
        {"按钮3 with the folder above", kButton3, kEdit2, kButton1, kEdit1, root_.Path(), kNotFound},
        {"按钮1 cancelled", kButton1, kEdit1, kButton3, kEdit2, L"", kNotFound},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetBox(c.box, L"D:\\earlier");
        SetBox(c.otherBox, L"D:\\other row");
        const Seen seen = Press(c.button, c.select, c.otherButton);
        ASSERT_TRUE(seen.chooser) << "the button opens the folder chooser";
        ExpectAnswered(seen, c.notice);
        EXPECT_EQ(c.select, Box(c.box)) << "the choice, or nothing after Cancel";
        EXPECT_EQ(L"D:\\other row", Box(c.otherBox)) << "the other box untouched";
    }
    // The clicks above reached nothing only because the window was disabled: the same click on
    // the idle window opens the chooser.
    ClickWithMouse(program_.Control(kButton3));
    HWND chooser = WaitForChooser(program_.UiThread(), 3000);
    ASSERT_NE(nullptr, chooser) << "a mouse click reaches an enabled window";
    PressButton(chooser, IDCANCEL);
    HWND notice = WaitForMessageBox(program_.UiThread());
    ASSERT_NE(nullptr, notice);
    PressButton(notice, IDOK);
}

TEST_F(FolderButtonsTest, ADriveRootIsTestedWithTwoBackslashesBeforeBin) {
    if (GetFileAttributesW(L"C:\\bin") != INVALID_FILE_ATTRIBUTES) {
        GTEST_SKIP() << "C:\\bin exists already; not touching it";
    }
    ASSERT_TRUE(CreateDirectoryW(L"C:\\bin", nullptr));
    ASSERT_TRUE(PutFile(L"C:\\bin\\QQ炫舞.exe", "MZ"));
    const Seen seen = Press(kButton1, L"C:\\", kButton3);
    DeleteTree(L"C:\\bin");
    ASSERT_TRUE(seen.chooser) << "the button opens the folder chooser";
    ExpectAnswered(seen, kExperienceFound);
    EXPECT_EQ(L"C:\\", Box(kEdit1));
}

}  // namespace
}  // namespace dorvane
