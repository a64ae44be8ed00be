// The whole program as a player uses it: Dorvane.exe started from another folder, the game
// folder chosen in the real folder chooser, both targets switched, the game started each time,
// the window closed with Esc. Every text the player sees is read, every launcher byte compared.
// Pictures of the window, the chooser and a notice are saved beside the test program.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "e2e_player.h"
#include "e2e_process_figures.h"
#include "e2e_screenshot.h"
#include "host_chooser_driver.h"
#include "host_test_support.h"
#include "program_driver.h"

namespace dorvane {
namespace {

using namespace test;

const wchar_t kMusicThread[] = L"dorvane_music";

// The texts the window shows before anything is clicked.
struct VisibleText {
    int id;
    const wchar_t* text;
};
const VisibleText kStartTexts[] = {
    {kButton1, L"目录"},
    {kEdit1, L""},
    {kButton2, L"转换体验服"},
    {kButton3, L"目录"},
    {kEdit2, L""},
    {kButton4, L"转换正式服"},
    {kLabel1, L"QQ炫舞体验服1群；613502471"},
    {kLabel2, L"QQ炫舞体验服2群；613502472"},
    {kLabel3, L"QQ炫舞体验服3群；613502473\r\n"},
    {kLabel4, L"QQ炫舞体验服4群；613502474"},
    {kLabel5, L"QuonselQQ 2654172810"},
    {kLabel6, L"我们追求简单简洁,Quonsel保证不添加任何广告!"},
    {kLabel7, L"不定期清理群内不活跃成员!"},
};

// One target: its folder button and box, its switch button, what it says and writes.
struct Target {
    const char* name;
    int folderButton;
    int box;
    int switchButton;
    std::wstring folderFound;
    std::wstring switched;
    LauncherPair documents;
};
Target ExperienceTarget() {
    return {"体验服", kButton1, kEdit1, kButton2, L"QQ炫舞目录选择正确，可以进行体验服转换",
            L"体验服转换成功.请登录游戏", ExperiencePair()};
}
Target OfficialTarget() {
    return {"正式服", kButton3, kEdit2, kButton4, L"QQ炫舞目录选择正确，可以进行正服转换",
            L"正服转换成功.请登录游戏", OfficialPair()};
}

std::wstring Picture(const wchar_t* name) { return ProgramFolder() + L"\\" + name; }

void ExpectNotice(const Notice& notice, const std::wstring& message) {
    ASSERT_TRUE(notice.shown) << "a notice came";
    EXPECT_EQ(L"提示", notice.caption);
    EXPECT_EQ(message, notice.message);
    EXPECT_TRUE(notice.windowDisabled) << "the window takes no input under the notice";
    EXPECT_TRUE(notice.settled) << "closed, and the handler returned";
}

class RoadTest : public testing::Test {
protected:
    void SetUp() override {
        // The started games end by themselves soon after they have written their record.
        SetEnvironmentVariableW(L"DORVANE_STAND_IN_LIFE_MS", L"1500");
        SetEnvironmentVariableW(L"DORVANE_STAND_IN_DELAY_MS", nullptr);
        ASSERT_TRUE(MakeGameFolder(game_)) << "game folder with the stand-in";
    }
    void TearDown() override {
        for (DWORD pid : games_) EndProcess(pid);
    }

    // 按钮1 or 按钮3: the chooser opens with the game's name as its instruction, the game folder
    // is walked to and chosen, and the notice says the folder is right.
    void ChooseGameFolder(RunningProgram& program, const Target& target, bool savePictures) {
        Click(program, target.folderButton);
        HWND chooser = WaitForChooser(program.UiThread());
        ASSERT_NE(nullptr, chooser) << "the folder chooser opened";
        EXPECT_NE(nullptr, FindChild(chooser, L"Static", L"QQ炫舞")) << "its instruction line";
        EXPECT_FALSE(IsWindowEnabled(program.Window())) << "the window waits for the chooser";
        HWND tree = ChooserTree(chooser);
        ASSERT_TRUE(SelectItem(tree, FindPathItem(tree, game_.path))) << "the game folder is in the tree";
        if (savePictures) {
            Sleep(300);  // the selection painted
            EXPECT_TRUE(SaveScreen(Picture(L"e2e_chooser.bmp")));
        }
        PressButton(chooser, IDOK);
        const Notice notice = ReadAndCloseNotice(program, [&](HWND) {
            if (!savePictures) return;
            Sleep(300);
            EXPECT_TRUE(SaveScreen(Picture(L"e2e_notice.bmp")));
        });
        ExpectNotice(notice, target.folderFound);
        EXPECT_EQ(game_.path, TextOf(program.Control(target.box))) << "the chosen folder in the box";
    }

    // 按钮2 or 按钮4: the success notice, the files already written while it is open and the game
    // not yet started; once closed, the game starts in the folder of Dorvane.exe.
    void Switch(RunningProgram& program, const Target& target) {
        DeleteFileW(game_.GameRecord().c_str());
        Click(program, target.switchButton);
        bool writtenBeforeOk = false;
        bool gameBeforeOk = true;
        const Notice notice = ReadAndCloseNotice(program, [&](HWND) {
            writtenBeforeOk = game_.Files() == target.documents;
            gameBeforeOk = Exists(game_.GameRecord());
        });
        ExpectNotice(notice, target.switched);
        EXPECT_TRUE(writtenBeforeOk) << "both files written when the player is told";
        EXPECT_FALSE(gameBeforeOk) << "the game waits for the notice to close";

        ASSERT_TRUE(WaitUntil([&] { return Exists(game_.GameRecord()); }, 5000)) << "the game started";
        const Record record = ReadRecord(game_.GameRecord());
        if (record.count(L"pid")) games_.push_back(std::stoul(record.at(L"pid")));
        EXPECT_EQ(L"\"" + game_.path + L"\\bin\\qq炫舞.exe\"", Field(record, L"commandline"));
        EXPECT_EQ(ProgramFolder(), Field(record, L"cwd")) << "in the folder of Dorvane.exe";
        EXPECT_TRUE(target.documents == game_.Files()) << "both files hold the target's documents";
        EXPECT_EQ((std::vector<std::wstring>{L"VersionServerConfig.xml", L"dirserver.xml"}),
                  FolderEntries(game_.Config()))
            << "nothing else left beside them";
        EXPECT_EQ(game_.path, TextOf(program.Control(target.box))) << "the box keeps the folder";
    }

    ScratchFolder root_{L"C:", L"dorvane-road"};
    ScratchFolder elsewhere_{TempFolder(), L"dorvane-player"};
    const GameFolder game_{root_ / L"QQ炫舞"};
    std::vector<DWORD> games_;
};

TEST_F(RoadTest, ChooseSwitchToEachTargetStartTheGameAndClose) {
    RunningProgram program(BesideTest(L"Dorvane.exe"), elsewhere_.Path());
    ASSERT_TRUE(program.Started());
    ASSERT_NE(nullptr, program.WaitForWindow());
    EXPECT_EQ(L"Dorvane V1.0", TextOf(program.Window()));
    for (const VisibleText& expected : kStartTexts) {
        EXPECT_EQ(expected.text, TextOf(program.Control(expected.id))) << "control " << expected.id;
    }
    EXPECT_EQ(program.Control(kButton1), program.Focus()) << "the focus starts on 按钮1";
    EXPECT_TRUE(WaitUntil([&] { return HasThreadNamed(program.ProcessId(), kMusicThread); }, 3000))
        << "the music plays from the start";
    Sleep(500);  // the picture and the panel painted
    EXPECT_TRUE(SaveScreen(Picture(L"e2e_window.bmp")));

    const Target experience = ExperienceTarget();
    const Target official = OfficialTarget();
    for (const Target* target : {&experience, &official}) {
        SCOPED_TRACE(target->name);
        ChooseGameFolder(program, *target, target == &experience);
        Switch(program, *target);
        EXPECT_TRUE(HasThreadNamed(program.ProcessId(), kMusicThread)) << "the music plays on";
        ASSERT_TRUE(IsWindow(program.Window())) << "the window stays open";
    }

    BringToFront(program.Window());
    PressKey(VK_ESCAPE);
    if (program.WaitForExit(2000) == STILL_ACTIVE) {
        // No window manager may have left the keyboard elsewhere: the key straight to the window.
        PostKey(program.Focus() ? program.Focus() : program.Window(), VK_ESCAPE);
    }
    EXPECT_EQ(0u, program.WaitForExit(10000)) << "Esc closes the window, exit code 0";
}

TEST_F(RoadTest, TwoCopiesSideBySideEachKeepTheirOwnWindowAndMusic) {
    ScratchFolder second{TempFolder(), L"dorvane-second"};
    RunningProgram first(BesideTest(L"Dorvane.exe"), elsewhere_.Path());
    RunningProgram other(BesideTest(L"Dorvane.exe"), second.Path());
    ASSERT_NE(nullptr, first.WaitForWindow());
    ASSERT_NE(nullptr, other.WaitForWindow());
    ASSERT_NE(first.Window(), other.Window()) << "a window each";
    for (const RunningProgram* copy : {&first, &other}) {
        EXPECT_TRUE(WaitUntil([&] { return HasThreadNamed(copy->ProcessId(), kMusicThread); }, 3000))
            << "each copy plays the music";
    }

    // A choice in one copy reaches only its own box.
    ChooseGameFolder(first, ExperienceTarget(), false);
    EXPECT_EQ(L"", TextOf(other.Control(kEdit1))) << "the other copy's box untouched";
    Switch(first, ExperienceTarget());

    PostKey(first.Control(kButton1), VK_ESCAPE);
    EXPECT_EQ(0u, first.WaitForExit(10000));
    EXPECT_TRUE(IsWindowVisible(other.Window())) << "closing one copy leaves the other";
    EXPECT_TRUE(HasThreadNamed(other.ProcessId(), kMusicThread)) << "and its music";
    PostKey(other.Control(kButton1), VK_ESCAPE);
    EXPECT_EQ(0u, other.WaitForExit(10000));
}

}  // namespace
}  // namespace dorvane
