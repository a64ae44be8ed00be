// What the player meets with hostile folder boxes and hostile game folders, through the real
// window: the box's text set, the switch button clicked, the notice read and closed. Each row
// says what the player is told and what the disk holds afterwards. In every row the program
// stays up, answers within a bounded time, never leaves a mixed or truncated pair of launcher
// files, and says "success" exactly when both files hold the new pair.
//
// The wrapper hostile_input_test.sh maps two drive letters before this program runs:
// DORVANE_ROOT_DRIVE (a scratch folder, so that its root can be a game folder) and
// DORVANE_FULL_DRIVE (a small tmpfs that this test fills); a row whose drive is missing is
// reported as skipped.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "e2e_player.h"
#include "host_test_support.h"
#include "program_driver.h"
#include "switch_file_holder.h"

namespace dorvane {
namespace {

using namespace test;

enum class Told { Switched, Refused };

// One row as it is laid out on disk.
struct Layout {
    std::wstring box;                  // what the player has in the box
    GameFolder game;                   // where the launcher files are looked at
    std::vector<std::wstring> decoys;  // programs that must not start
    std::wstring held;                 // a launcher file another process holds during the click
    std::wstring skipped;              // why the row cannot run here
};

struct Row {
    const char* what;
    bool official;
    Told told;
    bool gameStarts;
    std::function<void(Layout&)> prepare;
};

std::wstring DriveFromEnvironment(const wchar_t* name) {
    wchar_t value[8] = L"";
    const DWORD length = GetEnvironmentVariableW(name, value, 8);
    return length == 2 ? std::wstring(value) : std::wstring();
}

// Writes until the drive takes no more, so that no launcher file fits on it.
bool FillDrive(const std::wstring& file) {
    KernelHandle filler(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!filler) return false;
    const std::string block(4096, 'x');
    for (DWORD size : {4096u, 1u}) {
        DWORD written = size;
        while (written == size && WriteFile(filler.Get(), block.data(), size, &written, nullptr)) {
        }
    }
    return true;
}

class HostileInputTest : public testing::Test {
protected:
    void SetUp() override {
        SetEnvironmentVariableW(L"DORVANE_STAND_IN_LIFE_MS", L"300");
        program_ = std::make_unique<RunningProgram>(BesideTest(L"Dorvane.exe"), elsewhere_.Path());
        ASSERT_TRUE(program_->Started());
        ASSERT_NE(nullptr, program_->WaitForWindow());
    }
    void TearDown() override {
        program_.reset();
        for (DWORD pid : games_) EndProcess(pid);
    }

    // A fresh folder for one row, `name` inside it.
    std::wstring NewFolder(const std::wstring& name) {
        const std::wstring folder = root_ / (L"row" + std::to_wstring(++rows_));
        CreateDirectoryW(folder.c_str(), nullptr);
        return name.empty() ? folder : folder + L"\\" + name;
    }
    GameFolder NewGame(const std::wstring& name = L"QQ炫舞") {
        GameFolder game{NewFolder(name)};
        EXPECT_TRUE(MakeGameFolder(game)) << "game folder";
        return game;
    }

    void Run(const Row& row);

    ScratchFolder root_{L"C:", L"dorvane-hostile"};
    ScratchFolder elsewhere_{TempFolder(), L"dorvane-player"};
    ScratchFolder beside_{ProgramFolder(), L"dorvane-relative"};  // below Dorvane.exe's folder
    const std::wstring rootDrive_ = DriveFromEnvironment(L"DORVANE_ROOT_DRIVE");
    const std::wstring fullDrive_ = DriveFromEnvironment(L"DORVANE_FULL_DRIVE");
    std::unique_ptr<RunningProgram> program_;
    std::vector<DWORD> games_;
    int rows_ = 0;
};

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(size > 0 ? size - 1 : 0, '\0');
    if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &bytes[0], size, nullptr, nullptr);
    return bytes;
}

const char* Describe(const LauncherPair& files, const LauncherPair& before, const LauncherPair& wanted) {
    if (files == wanted) return "new pair";
    if (files == before) return files.versionServer == "<missing>" ? "nothing written" : "old pair unchanged";
    return "MIXED OR TRUNCATED";
}

void HostileInputTest::Run(const Row& row) {
    SCOPED_TRACE(row.what);
    Layout layout;
    row.prepare(layout);
    if (!layout.skipped.empty()) {
        std::printf("| %s | skipped: %s |\n", row.what, Utf8(layout.skipped).c_str());
        return;
    }
    const LauncherPair wanted = row.official ? OfficialPair() : ExperiencePair();
    const LauncherPair before = layout.game.Files();
    const std::vector<std::wstring> configBefore = FolderEntries(layout.game.Config());
    DeleteFileW(layout.game.GameRecord().c_str());
    std::unique_ptr<HeldFile> held;
    if (!layout.held.empty()) {
        held = std::make_unique<HeldFile>(layout.held);
        ASSERT_TRUE(held->Held()) << "file_holder.exe holds the file";
    }

    SetBox(*program_, row.official ? kEdit2 : kEdit1, layout.box);
    Click(*program_, row.official ? kButton4 : kButton2);
    const Notice notice = ReadAndCloseNotice(*program_);
    held.reset();

    ASSERT_TRUE(notice.shown) << "a notice within the time: no hang, no crash";
    EXPECT_TRUE(notice.settled) << "the handler returned";
    EXPECT_EQ(L"提示", notice.caption);
    const std::wstring expected =
        row.told == Told::Switched
            ? (row.official ? L"正服转换成功.请登录游戏" : L"体验服转换成功.请登录游戏")
            : (row.official ? L"正服转换失败.请重新转换" : L"体验服转换失败.请重新转换");
    EXPECT_EQ(expected, notice.message);

    const LauncherPair after = layout.game.Files();
    const bool switched = notice.message.find(L"成功") != std::wstring::npos;
    EXPECT_EQ(switched, after == wanted) << "success told exactly when both files hold the new pair";
    EXPECT_TRUE(after == wanted || after == before) << "never a mixed or truncated pair";
    if (!switched) {
        EXPECT_EQ(configBefore, FolderEntries(layout.game.Config())) << "nothing left beside them";
    }

    const bool started = WaitUntil([&] { return Exists(layout.game.GameRecord()); },
                                   row.gameStarts ? 5000 : 500);
    if (started) {
        const Record record = ReadRecord(layout.game.GameRecord());
        if (record.count(L"pid")) games_.push_back(std::stoul(record.at(L"pid")));
    }
    EXPECT_EQ(row.gameStarts, started) << "the game started";
    for (const std::wstring& decoy : layout.decoys) {
        EXPECT_FALSE(Exists(decoy + L".record")) << "no decoy started: " << Utf8(decoy);
    }
    EXPECT_TRUE(IsWindow(program_->Window()) && program_->WaitForExit(0) == STILL_ACTIVE)
        << "the program is still up";
    std::printf("| %s | %s | %s | %s |\n", row.what, Utf8(notice.message).c_str(),
                Describe(after, before, wanted), started ? "started" : "not started");
}

TEST_F(HostileInputTest, EveryRowTellsTheTruthAndLeavesAWholePair) {
    auto installed = [this](const std::wstring& name) {
        return [this, name](Layout& layout) {
            layout.game = NewGame(name);
            layout.box = layout.game.path;
        };
    };
    const Row rows[] = {
        {"empty box", false, Told::Refused, false,
         [this](Layout& layout) { layout.game = NewGame(); }},
        {"relative folder (below Dorvane.exe's folder)", true, Told::Switched, true,
         [this](Layout& layout) {
             layout.game = GameFolder{beside_ / L"QQ炫舞"};
             EXPECT_TRUE(MakeGameFolder(layout.game));
             layout.box = layout.game.path.substr(ProgramFolder().size() + 1);
         }},
        {"drive root \"X:\\\"", false, Told::Switched, true,
         [this](Layout& layout) {
             if (rootDrive_.empty()) return void(layout.skipped = L"no scratch drive mapped");
             layout.game = GameFolder{rootDrive_};
             EXPECT_TRUE(MakeGameFolder(layout.game));
             layout.box = rootDrive_ + L"\\";
         }},
        {"drive without backslash \"X:\"", true, Told::Switched, true,
         [this](Layout& layout) {
             if (rootDrive_.empty()) return void(layout.skipped = L"no scratch drive mapped");
             // The game of the row before, whose stand-in may still run.
             layout.game = GameFolder{rootDrive_};
             EXPECT_TRUE(Exists(layout.game.Game()) || MakeGameFolder(layout.game));
             layout.box = rootDrive_;
         }},
        {"trailing backslash", true, Told::Switched, true,
         [&](Layout& layout) {
             installed(L"QQ炫舞")(layout);
             layout.box += L"\\";
         }},
        {"spaces, decoys at every shorter prefix", false, Told::Switched, true,
         [this](Layout& layout) {
             layout.game = NewGame(L"Program Files\\QQ炫舞 游戏 版");
             layout.box = layout.game.path;
             const std::wstring standIn = ProgramFolder() + L"\\stand_in_game.exe";
             const std::wstring programFile = layout.box + L"\\bin\\qq炫舞.exe";
             for (size_t space = programFile.find(L' '); space != std::wstring::npos;
                  space = programFile.find(L' ', space + 1)) {
                 const std::wstring decoy = programFile.substr(0, space) + L".exe";
                 EXPECT_TRUE(CopyFileW(standIn.c_str(), decoy.c_str(), FALSE)) << Utf8(decoy);
                 layout.decoys.push_back(decoy);
             }
         }},
        // Switched, but the game does not start: Windows starts no program by a path that long,
        // and a failed start passes silently, as every launch failure does.
        {"path longer than 260 characters", false, Told::Switched, false,
         [this](Layout& layout) {
             std::wstring path = NewFolder(L"");
             while (path.size() < 300) path += L"\\" + std::wstring(40, L'长');
             layout.game = GameFolder{L"\\\\?\\" + path + L"\\QQ炫舞"};
             EXPECT_TRUE(MakeGameFolder(layout.game));
             layout.box = path + L"\\QQ炫舞";
         }},
        {"\\\\?\\ form of a game folder", true, Told::Switched, true,
         [&](Layout& layout) {
             installed(L"QQ炫舞")(layout);
             layout.box = L"\\\\?\\" + layout.box;
         }},
        {"UNC share that does not exist", false, Told::Refused, false,
         [this](Layout& layout) {
             layout.game = NewGame();
             layout.box = L"\\\\dorvane-nowhere\\share\\QQ炫舞";
         }},
        {"`*` in the box", true, Told::Refused, false,
         [this](Layout& layout) {
             layout.game = NewGame(L"QQ炫舞");
             layout.box = layout.game.path.substr(0, layout.game.path.size() - 1) + L"*";
         }},
        {"`?` in the box", false, Told::Refused, false,
         [this](Layout& layout) {
             layout.game = NewGame(L"QQ炫舞");
             layout.box = layout.game.path.substr(0, layout.game.path.size() - 1) + L"?";
         }},
        {"Korean and emoji in the folder name", false, Told::Switched, true,
         installed(L"QQ炫舞 게임 🎮")},
        // The test for the game looks only for the name, so the switch goes ahead; no game starts.
        {"directory named qq炫舞.exe instead of the game", true, Told::Switched, false,
         [this](Layout& layout) {
             layout.game = GameFolder{NewFolder(L"QQ炫舞")};
             EXPECT_TRUE(CreateDirectoryW(layout.game.path.c_str(), nullptr) &&
                         CreateDirectoryW((layout.game.path + L"\\bin").c_str(), nullptr) &&
                         CreateDirectoryW(layout.game.Game().c_str(), nullptr) &&
                         CreateDirectoryW((layout.game.path + L"\\TCLS").c_str(), nullptr) &&
                         CreateDirectoryW(layout.game.Config().c_str(), nullptr) &&
                         PutFile(layout.game.VersionServer(), kOldVersionServer) &&
                         PutFile(layout.game.DirServer(), kOldDirServer));
             layout.box = layout.game.path;
         }},
    };
    for (const Row& row : rows) Run(row);

    auto attribute = [this](DWORD attributes) {
        return [this, attributes](Layout& layout) {
            layout.game = NewGame();
            layout.box = layout.game.path;
            EXPECT_TRUE(SetFileAttributesW(layout.game.DirServer().c_str(), attributes));
        };
    };
    const Row launcherRows[] = {
        {"read-only dirserver.xml", false, Told::Refused, false, attribute(FILE_ATTRIBUTE_READONLY)},
        {"hidden dirserver.xml", true, Told::Refused, false, attribute(FILE_ATTRIBUTE_HIDDEN)},
        {"system dirserver.xml", false, Told::Refused, false, attribute(FILE_ATTRIBUTE_SYSTEM)},
        {"VersionServerConfig.xml held open by another process", true, Told::Refused, false,
         [this](Layout& layout) {
             layout.game = NewGame();
             layout.box = layout.game.path;
             layout.held = layout.game.VersionServer();
         }},
        {"dirserver.xml is a directory", false, Told::Refused, false,
         [this](Layout& layout) {
             layout.game = NewGame();
             layout.box = layout.game.path;
             EXPECT_TRUE(DeleteFileW(layout.game.DirServer().c_str()) &&
                         CreateDirectoryW(layout.game.DirServer().c_str(), nullptr));
         }},
        {"no TCLS\\config", true, Told::Refused, false,
         [this](Layout& layout) {
             layout.game = GameFolder{NewFolder(L"QQ炫舞")};
             EXPECT_TRUE(MakeGameFolder(layout.game, false));
             layout.box = layout.game.path;
         }},
        {"full disk", false, Told::Refused, false,
         [this](Layout& layout) {
             if (fullDrive_.empty()) return void(layout.skipped = L"no size-limited drive mapped");
             // The game program is only tested for, so two bytes stand in for it here.
             layout.game = GameFolder{fullDrive_ + L"\\QQ炫舞"};
             EXPECT_TRUE(CreateDirectoryW(layout.game.path.c_str(), nullptr) &&
                         CreateDirectoryW((layout.game.path + L"\\bin").c_str(), nullptr) &&
                         PutFile(layout.game.Game(), "MZ") &&
                         CreateDirectoryW((layout.game.path + L"\\TCLS").c_str(), nullptr) &&
                         CreateDirectoryW(layout.game.Config().c_str(), nullptr) &&
                         PutFile(layout.game.VersionServer(), kOldVersionServer) &&
                         PutFile(layout.game.DirServer(), kOldDirServer) &&
                         FillDrive(fullDrive_ + L"\\filler"));
             layout.box = layout.game.path;
         }},
    };
    for (const Row& row : launcherRows) Run(row);
}

}  // namespace
}  // namespace dorvane
