// The two switch buttons of the real Dorvane.exe on game folders made here, used as a player
// would: the folder put into the box, the button clicked, the notice read and closed. The game
// is a stand-in that records its command line and working folder when it starts.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "e2e_player.h"
#include "host_chooser_driver.h"
#include "host_test_support.h"
#include "program_driver.h"
#include "switch_file_holder.h"
#include "switcher/launcher_documents.h"

namespace dorvane {
namespace {

using namespace test;

const std::string kOldVersionServer =
    "<?xml version=\"1.0\" encoding=\"GBK\"?>\r\n<Server>its own version list</Server>\r\n";
const std::string kOldDirServer = "<?xml version=\"1.0\"?>\r\n<Server>its own dir list</Server>";
const std::string kMissing = "<missing>";  // what FileBytes gives for no file

// What the launcher's two files hold.
struct LauncherFiles {
    std::string versionServer;
    std::string dirServer;
    bool operator==(const LauncherFiles& other) const {
        return versionServer == other.versionServer && dirServer == other.dirServer;
    }
};

std::string Bytes(const StoredDocument& document) { return std::string(document.text()); }

// One row of the window: its switch button, its folder box, what it writes and says.
struct Side {
    const char* name;
    int button;
    int box;
    std::wstring switched;
    std::wstring failed;
    LauncherFiles documents;
};

Side Experience() {
    const LauncherFiles documents{Bytes(ExperienceVersionServerXml), Bytes(ExperienceDirServerXml)};
    return {"按钮2", kButton2, kEdit1, L"体验服转换成功.请登录游戏",
            L"体验服转换失败.请重新转换", documents};
}
Side Official() {
    const LauncherFiles documents{Bytes(OfficialVersionServerXml), Bytes(OfficialDirServerXml)};
    return {"按钮4", kButton4, kEdit2, L"正服转换成功.请登录游戏",
            L"正服转换失败.请重新转换", documents};
}

// How the test game folder is laid out; each has bin\QQ炫舞.exe (the stand-in).
enum class Layout {
    Installed,              // TCLS\config with both old files
    NoLauncherFiles,        // TCLS\config, empty
    NoConfigFolder,         // no TCLS at all
    ReadOnlyDirServer,      // both old files, dirserver.xml read-only
    OnlyReadOnlyDirServer,  // no VersionServerConfig.xml, dirserver.xml read-only
};

// The stand-in's record: its command line and working folder, as key=value lines.
std::wstring Upper(std::wstring text) {
    CharUpperBuffW(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

void EndProcess(DWORD pid) {
    KernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid));
    if (!process) return;
    TerminateProcess(process.Get(), 0);
    WaitForSingleObject(process.Get(), 5000);
}

// A game folder made for one case: "<case folder>\<name>", with a decoy copy of the stand-in at
// "<case folder>\QQ炫舞.exe", the program that an unquoted command line would start for a game
// folder named "QQ炫舞 ...".
struct GameFolder {
    std::wstring path;
    std::wstring decoy;
    std::wstring Config() const { return path + L"\\TCLS\\config"; }
    std::wstring VersionServer() const { return Config() + L"\\VersionServerConfig.xml"; }
    std::wstring DirServer() const { return Config() + L"\\dirserver.xml"; }
    std::wstring GameRecord() const { return path + L"\\bin\\QQ炫舞.exe.record"; }
    std::wstring DecoyRecord() const { return decoy + L".record"; }
    LauncherFiles Files() const { return {FileBytes(VersionServer()), FileBytes(DirServer())}; }
};

// What one press of a switch button showed.
struct Seen {
    bool notice = false;
    std::wstring caption;
    std::wstring message;
    bool windowDisabled = false;
    bool gameStartedBeforeOk = false;
    bool settled = false;  // the notice gone and the click handler returned
};

class SwitchButtonsTest : public testing::Test {
protected:
    void SetUp() override {
        // The games that the switches start end by themselves soon.
        SetEnvironmentVariableW(L"DORVANE_STAND_IN_LIFE_MS", L"1500");
        SetEnvironmentVariableW(L"DORVANE_STAND_IN_DELAY_MS", nullptr);
        // Started from another folder: the game must start in the folder of Dorvane.exe.
        program_ = std::make_unique<RunningProgram>(BesideTest(L"Dorvane.exe"), elsewhere_.Path());
        ASSERT_TRUE(program_->Started()) << "Dorvane.exe beside the test program";
        ASSERT_NE(nullptr, program_->WaitForWindow());
    }
    void TearDown() override {
        program_.reset();
        for (DWORD pid : games_) EndProcess(pid);
    }

    GameFolder MakeGame(const std::wstring& name, Layout layout) {
        const std::wstring caseFolder = root_ / (L"case" + std::to_wstring(++cases_));
        GameFolder game{caseFolder + L"\\" + name, caseFolder + L"\\QQ炫舞.exe"};
        const std::wstring standIn = ProgramFolder() + L"\\stand_in_game.exe";
        bool made = CreateDirectoryW(caseFolder.c_str(), nullptr) &&
                    CreateDirectoryW(game.path.c_str(), nullptr) &&
                    CreateDirectoryW((game.path + L"\\bin").c_str(), nullptr) &&
                    CopyFileW(standIn.c_str(), (game.path + L"\\bin\\QQ炫舞.exe").c_str(), TRUE) &&
                    CopyFileW(standIn.c_str(), game.decoy.c_str(), TRUE);
        if (layout != Layout::NoConfigFolder) {
            made = made && CreateDirectoryW((game.path + L"\\TCLS").c_str(), nullptr) &&
                   CreateDirectoryW(game.Config().c_str(), nullptr);
        }
        if (layout == Layout::Installed || layout == Layout::ReadOnlyDirServer) {
            made = made && PutFile(game.VersionServer(), kOldVersionServer);
        }
        if (layout != Layout::NoConfigFolder && layout != Layout::NoLauncherFiles) {
            made = made && PutFile(game.DirServer(), kOldDirServer);
        }
        if (layout == Layout::ReadOnlyDirServer || layout == Layout::OnlyReadOnlyDirServer) {
            made = made && SetFileAttributesW(game.DirServer().c_str(), FILE_ATTRIBUTE_READONLY);
        }
        EXPECT_TRUE(made) << "game folder with stand_in_game.exe";
        return game;
    }

    // Puts `boxText` into the side's box, clicks its switch button, reads the notice, checks
    // whether the game has started meanwhile, and closes the notice.
    Seen Press(const Side& side, const std::wstring& boxText, const GameFolder& game) {
        Seen seen;
        HWND window = program_->Window();
        const DWORD ui = program_->UiThread();
        DeleteFileW(game.GameRecord().c_str());
        SendMessageW(program_->Control(side.box), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(boxText.c_str()));
        // Wine on a bare display may have left no window active after the last notice.
        BringToFront(window);
        // Posted: the handler runs on the program's thread while this one watches the notice.
        PostMessageW(program_->Control(side.button), BM_CLICK, 0, 0);
        HWND notice = WaitForMessageBox(ui);
        if (!notice) return seen;
        seen.notice = true;
        seen.caption = WindowText(notice);
        seen.message = MessageBoxText(notice);
        seen.windowDisabled = !IsWindowEnabled(window);
        seen.gameStartedBeforeOk = Exists(game.GameRecord()) || Exists(game.DecoyRecord());
        PressButton(notice, IDOK);
        // Once the window is enabled again the box has gone; a message sent now is handled only
        // after the click handler, launch included, has returned.
        seen.settled =
            WaitUntil([&] { return IsWindowEnabled(window) && !FindThreadWindow(ui, L"#32770"); },
                      5000) &&
            SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr) != 0;
        return seen;
    }

    // The record of the game that started, or an empty one when none did.
    Record GameRecord(const GameFolder& game) {
        WaitUntil([&] { return Exists(game.GameRecord()); }, 5000);
        Record record = ReadRecord(game.GameRecord());
        if (record.count(L"pid")) games_.push_back(std::stoul(record[L"pid"]));
        return record;
    }
    // After a refused switch: a short wait for a game that should not come, then none there.
    bool NoGameStarted(const GameFolder& game) {
        Sleep(300);
        return !Exists(game.GameRecord()) && !Exists(game.DecoyRecord());
    }

    std::wstring Box(const Side& side) { return TextOf(program_->Control(side.box)); }

    ScratchFolder root_{L"C:", L"dorvane-switch"};
    ScratchFolder elsewhere_{TempFolder(), L"dorvane-elsewhere"};
    std::unique_ptr<RunningProgram> program_;
    std::vector<DWORD> games_;
    int cases_ = 0;
};

void ExpectNotice(const Seen& seen, const std::wstring& message) {
    ASSERT_TRUE(seen.notice) << "a notice came";
    EXPECT_EQ(L"提示", seen.caption);
    EXPECT_EQ(message, seen.message);
    EXPECT_TRUE(seen.windowDisabled) << "the window takes no input while the notice is open";
    EXPECT_FALSE(seen.gameStartedBeforeOk) << "no game while the notice is open";
    EXPECT_TRUE(seen.settled) << "the notice closed and the handler returned";
}

TEST_F(SwitchButtonsTest, ASwitchWritesItsDocumentsTellsThePlayerAndThenStartsTheGame) {
    const Side experience = Experience();
    const Side official = Official();
    struct Case {
        const char* what;
        std::wstring folderName;
        Layout layout;
        bool upperCaseBox;  // the folder given in other letter case than on disk
        std::vector<const Side*> presses;
    };
    const Case cases[] = {
        {"按钮2", L"QQ炫舞", Layout::Installed, false, {&experience}},
        {"按钮4", L"QQ炫舞", Layout::Installed, false, {&official}},
        {"按钮2 then 按钮4", L"QQ炫舞", Layout::Installed, false, {&experience, &official}},
        {"按钮4 then 按钮2", L"QQ炫舞", Layout::Installed, false, {&official, &experience}},
        {"no launcher files yet", L"QQ炫舞", Layout::NoLauncherFiles, false, {&experience}},
        {"folder in other letter case", L"Tencent QQ炫舞", Layout::Installed, true, {&official}},
        {"folder with spaces", L"QQ炫舞 游戏 2024", Layout::Installed, false, {&experience}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const GameFolder game = MakeGame(c.folderName, c.layout);
        const std::wstring boxText = c.upperCaseBox ? Upper(game.path) : game.path;
        for (const Side* side : c.presses) {
            SCOPED_TRACE(side->name);
            const Seen seen = Press(*side, boxText, game);
            ExpectNotice(seen, side->switched);
            const Record record = GameRecord(game);
            EXPECT_EQ(L"\"" + boxText + L"\\bin\\qq炫舞.exe\"", Field(record, L"commandline"))
                << "exactly the game, named as the box has it";
            EXPECT_EQ(ProgramFolder(), Field(record, L"cwd"))
                << "started in the folder of Dorvane.exe";
            EXPECT_FALSE(Exists(game.DecoyRecord()))
                << "the program at the cut-off name did not start";
            EXPECT_TRUE(side->documents == game.Files())
                << "both files hold exactly the side's documents";
            EXPECT_EQ((std::vector<std::wstring>{L"VersionServerConfig.xml", L"dirserver.xml"}),
                      FolderEntries(game.Config()))
                << "nothing else left in the folder";
            EXPECT_EQ(boxText, Box(*side));
        }
    }
}

TEST_F(SwitchButtonsTest, ARefusedSwitchTellsThePlayerAndChangesAndStartsNothing) {
    const Side experience = Experience();
    const Side official = Official();
    enum class BoxHolds { GameFolder, Nothing, BinFolder };
    enum class Held { None, VersionServer, DirServer };
    struct Case {
        const char* what;
        const Side* side;
        Layout layout;
        BoxHolds box;
        Held held;
    };
    const Case cases[] = {
        {"empty box", &experience, Layout::Installed, BoxHolds::Nothing, Held::None},
        {"the game's bin folder", &official, Layout::Installed, BoxHolds::BinFolder, Held::None},
        {"no TCLS\\config folder", &experience, Layout::NoConfigFolder, BoxHolds::GameFolder,
         Held::None},
        {"read-only dirserver.xml", &official, Layout::ReadOnlyDirServer, BoxHolds::GameFolder,
         Held::None},
        {"read-only dirserver.xml and no VersionServerConfig.xml", &experience,
         Layout::OnlyReadOnlyDirServer, BoxHolds::GameFolder, Held::None},
        {"VersionServerConfig.xml held open", &experience, Layout::Installed, BoxHolds::GameFolder,
         Held::VersionServer},
        {"dirserver.xml held open", &official, Layout::Installed, BoxHolds::GameFolder,
         Held::DirServer},
    };
    // An empty box names "\bin\qq炫舞.exe" on the drive of Dorvane.exe.
    ASSERT_FALSE(Exists(ProgramFolder().substr(0, 2) + L"\\bin\\qq炫舞.exe"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const GameFolder game = MakeGame(L"QQ炫舞 游戏", c.layout);
        const LauncherFiles before = game.Files();
        const std::vector<std::wstring> gameEntries = FolderEntries(game.path);
        const std::vector<std::wstring> configEntries = FolderEntries(game.Config());
        const std::wstring boxText = c.box == BoxHolds::Nothing     ? L""
                                     : c.box == BoxHolds::BinFolder ? game.path + L"\\bin"
                                                                    : game.path;
        Seen seen;
        {
            std::unique_ptr<HeldFile> held;
            if (c.held != Held::None) {
                held = std::make_unique<HeldFile>(
                    c.held == Held::VersionServer ? game.VersionServer() : game.DirServer());
                ASSERT_TRUE(held->Held()) << "file_holder.exe holds the file";
            }
            seen = Press(*c.side, boxText, game);
        }
        ExpectNotice(seen, c.side->failed);
        EXPECT_TRUE(NoGameStarted(game));
        EXPECT_TRUE(before == game.Files()) << "both files byte for byte as before";
        EXPECT_EQ(gameEntries, FolderEntries(game.path)) << "nothing created in the game folder";
        EXPECT_EQ(configEntries, FolderEntries(game.Config()))
            << "nothing created or left in TCLS\\config";
        EXPECT_EQ(boxText, Box(*c.side)) << "the box keeps its text";
    }
}

}  // namespace
}  // namespace dorvane
