// ChooseGameFolder on a window with the two folder boxes, the chooser and the notice driven from a
// second thread as the player would use them.
#include <gtest/gtest.h>

#include "host/host_services.h"
#include "host_chooser_driver.h"
#include "host_test_support.h"
#include "switcher/choose_game_folder.h"

namespace dorvane {
namespace {

using namespace test;

struct SeenNotice {
    bool found = false;
    std::wstring caption;
    std::wstring message;
    bool windowEnabled = true;
};

class ChooseGameFolderTest : public testing::Test {
protected:
    ChooseGameFolderTest() {
        boxes_[0] = MakeBox(10);
        boxes_[1] = MakeBox(50);
    }
    void SetUp() override {
        ASSERT_TRUE(CreateDirectoryW(game_.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryW((game_ + L"\\bin").c_str(), nullptr));
        ASSERT_TRUE(PutFile(game_ + L"\\bin\\QQ炫舞.exe", "MZ"));
    }

    HWND MakeBox(int y) {
        return CreateWindowW(L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 10, y,
                             250, 24, window_.Get(), nullptr, GetModuleHandleW(nullptr), nullptr);
    }

    // Runs ChooseGameFolder on box `index` while the player's thread chooses `select` (a path,
    // or nothing to cancel) and closes the notice; returns what the notice said.
    SeenNotice Choose(int index, const Text& foundNotice, const std::wstring& select) {
        SeenNotice seen;
        const DWORD self = GetCurrentThreadId();
        HWND window = window_.Get();
        BackgroundTask player([&] {
            HWND chooser = WaitForChooser(self);
            if (!chooser) return;
            HWND tree = ChooserTree(chooser);
            const bool picked = !select.empty() && SelectItem(tree, FindPathItem(tree, select));
            PressButton(chooser, picked ? IDOK : IDCANCEL);
            HWND box = WaitForMessageBox(self);
            if (!box) return;
            seen.found = true;
            seen.caption = WindowText(box);
            seen.message = MessageBoxText(box);
            seen.windowEnabled = IsWindowEnabled(window) != FALSE;
            PressButton(box, IDOK);
        });
        ChooseGameFolder(boxes_[index], foundNotice);
        EXPECT_TRUE(player.Join());
        EXPECT_TRUE(seen.found) << "a notice was shown";
        EXPECT_EQ(L"提示", seen.caption);
        EXPECT_FALSE(seen.windowEnabled) << "the window takes no input while the notice is open";
        EXPECT_TRUE(IsWindowEnabled(window_.Get())) << "and takes it again afterwards";
        return seen;
    }

    TopWindow window_{L"program window"};
    HWND boxes_[2];
    ScratchFolder root_{L"C:", L"dorvane-game"};
    const std::wstring game_ = root_ / L"QQ炫舞 게임";
};

const std::wstring kNotFound = L"QQ炫舞目录选择错误 ，请选择正确的QQ炫舞目录";

TEST_F(ChooseGameFolderTest, TellsWhetherTheChosenFolderHoldsTheGame) {
    struct Case {
        const char* what;
        int box;
        const wchar_t* foundNotice;
        std::wstring select;
        std::wstring notice;
    };
    const Case cases[] = {
        {"the game folder for the experience row", 0, kExperienceFolderFound, game_,
         kExperienceFolderFound},
        {"the game folder for the official row", 1, kOfficialFolderFound, game_,
         kOfficialFolderFound},
        {"the bin folder itself", 0, kExperienceFolderFound, game_ + L"\\bin", kNotFound},
        {"the folder above the game folder", 1, kOfficialFolderFound, root_.Path(), kNotFound},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int other = 1 - c.box;
        SetControlText(boxes_[c.box], L"D:\\earlier");
        SetControlText(boxes_[other], L"D:\\other row");
        const SeenNotice seen = Choose(c.box, c.foundNotice, c.select);
        EXPECT_EQ(c.notice, seen.message);
        EXPECT_EQ(c.select, GetControlText(boxes_[c.box])) << "the choice stays in the box";
        EXPECT_EQ(L"D:\\other row", GetControlText(boxes_[other])) << "the other box is untouched";
    }
}

TEST_F(ChooseGameFolderTest, CancelEmptiesTheBox) {
    // The tested path is then "\bin\QQ炫舞.exe" at the root of the current drive, where there is
    // no game.
    ASSERT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(L"C:\\bin\\QQ炫舞.exe"));
    CurrentFolderScope onC(root_.Path());
    SetControlText(boxes_[0], game_);
    SetControlText(boxes_[1], game_);
    EXPECT_EQ(kNotFound, Choose(0, kExperienceFolderFound, L"").message);
    EXPECT_EQ(L"", GetControlText(boxes_[0]));
    EXPECT_EQ(game_, GetControlText(boxes_[1]));
}

TEST_F(ChooseGameFolderTest, ADriveRootIsJoinedWithTwoBackslashes) {
    // "C:\" joined with "\bin\QQ炫舞.exe" gives "C:\\bin\QQ炫舞.exe", which Windows reads as the
    // game file at the drive's root.
    if (GetFileAttributesW(L"C:\\bin") != INVALID_FILE_ATTRIBUTES) {
        GTEST_SKIP() << "C:\\bin exists already; not touching it";
    }
    ASSERT_TRUE(CreateDirectoryW(L"C:\\bin", nullptr));
    ASSERT_TRUE(PutFile(L"C:\\bin\\QQ炫舞.exe", "MZ"));
    const SeenNotice seen = Choose(1, kOfficialFolderFound, L"C:\\");
    DeleteTree(L"C:\\bin");
    EXPECT_EQ(L"C:\\", GetControlText(boxes_[1]));
    EXPECT_EQ(kOfficialFolderFound, seen.message);
}

}  // namespace
}  // namespace dorvane
