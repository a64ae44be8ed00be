// The real folder chooser, driven from a second thread as a player would use it.
#include <gtest/gtest.h>

#include "host/host_services.h"
#include "host_chooser_driver.h"
#include "host_test_support.h"

namespace dorvane {
namespace {

using namespace test;

// What the player's thread saw while the chooser was open.
struct SeenChooser {
    bool found = false;
    bool programWindowEnabled = true;
    bool otherWindowEnabled = true;
    bool disabledWindowEnabled = true;
    bool instructionShown = false;
    bool fileItemShown = false;
    bool selected = false;
};

struct ChooseCase {
    const char* what;
    std::wstring select;  // a path, or empty for the computer's item
    int button;
    bool includeFiles;
    std::wstring expected;
};

class ChooseFolderTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateDirectoryW(target_.c_str(), nullptr));
        ASSERT_TRUE(PutFile(target_ + L"\\game.exe", "MZ"));
    }

    // Opens the chooser over a program window (active and in front), a second window of the
    // program and a third one that was disabled before; the player's thread looks at the chooser, picks `c.select` and
    // presses the case's button.
    void Run(const ChooseCase& c) {
        SCOPED_TRACE(c.what);
        TopWindow disabled(L"disabled window", false);
        TopWindow other(L"other window");
        TopWindow window(L"program window");
        SetForegroundWindow(window.Get());
        SetActiveWindow(window.Get());
        ASSERT_EQ(window.Get(), GetActiveWindow());

        SeenChooser seen;
        const DWORD self = GetCurrentThreadId();
        BackgroundTask player([&] { seen = PlayChooser(self, c, {window.Get(), other.Get(), disabled.Get()}); });
        const Text result = ChooseFolder(L"QQ炫舞", c.includeFiles);
        ASSERT_TRUE(player.Join());

        ASSERT_TRUE(seen.found) << "the chooser appeared";
        EXPECT_TRUE(seen.selected) << "the item to choose was in the tree";
        EXPECT_EQ(c.expected, result);
        EXPECT_FALSE(seen.programWindowEnabled) << "program window disabled while open";
        EXPECT_FALSE(seen.otherWindowEnabled) << "every window of the program, not only the owner";
        EXPECT_FALSE(seen.disabledWindowEnabled);
        EXPECT_TRUE(seen.instructionShown) << "title as the instruction line";
        EXPECT_EQ(c.includeFiles, seen.fileItemShown) << "files listed only when asked for";

        EXPECT_TRUE(IsWindowEnabled(window.Get())) << "enabled again afterwards";
        EXPECT_TRUE(IsWindowEnabled(other.Get())) << "enabled again afterwards";
        EXPECT_FALSE(IsWindowEnabled(disabled.Get())) << "a window disabled before stays so";
        EXPECT_EQ(window.Get(), GetActiveWindow()) << "active again afterwards";
        EXPECT_EQ(window.Get(), GetForegroundWindow()) << "in front again afterwards";
    }

    struct Windows {
        HWND program;
        HWND other;
        HWND disabled;
    };
    SeenChooser PlayChooser(DWORD threadId, const ChooseCase& c, const Windows& windows) {
        SeenChooser seen;
        HWND chooser = WaitForChooser(threadId);
        if (!chooser) return seen;
        seen.found = true;
        seen.programWindowEnabled = IsWindowEnabled(windows.program) != FALSE;
        seen.otherWindowEnabled = IsWindowEnabled(windows.other) != FALSE;
        seen.disabledWindowEnabled = IsWindowEnabled(windows.disabled) != FALSE;
        seen.instructionShown = FindChild(chooser, L"Static", L"QQ炫舞") != nullptr;

        HWND tree = ChooserTree(chooser);
        seen.fileItemShown = FindChildItem(tree, FindPathItem(tree, target_), L"game.exe") != nullptr;
        HTREEITEM item = c.select.empty() ? FindComputerItem(tree) : FindPathItem(tree, c.select);
        seen.selected = SelectItem(tree, item);
        PressButton(chooser, c.button);
        return seen;
    }

    ScratchFolder root_{L"C:", L"dorvane-choose"};
    const std::wstring target_ = root_ / L"My Games 게임 炫舞";
};

TEST_F(ChooseFolderTest, GivesThePathOfTheChosenFolder) {
    Run({"a folder with spaces and names outside GBK", target_, IDOK, false, target_});
}

TEST_F(ChooseFolderTest, GivesADriveRootWithItsBackslash) {
    Run({"drive root", L"C:\\", IDOK, false, L"C:\\"});
}

TEST_F(ChooseFolderTest, GivesNothingForCancelOrAnItemWithoutPath) {
    Run({"cancel after choosing a folder", target_, IDCANCEL, false, L""});
    Run({"the computer's item, which has no path", L"", IDOK, false, L""});
}

TEST_F(ChooseFolderTest, ListsFilesWhenAskedTo) {
    Run({"files listed, a folder chosen", target_, IDOK, true, target_});
}

}  // namespace
}  // namespace dorvane
