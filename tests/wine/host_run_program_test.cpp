// RunProgram on a stand-in for the game that records how it was started.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "host/host_services.h"
#include "host_test_support.h"

namespace dorvane {
namespace {

using test::ScratchFolder;

// Where the stand-in is copied as the game: "<scratch>\My Games\bin\game.exe", with a decoy
// copy at "<scratch>\My.exe", the name an unquoted command line would try first.
class RunProgramTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateDirectoryW((folder_ / L"My Games").c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryW((folder_ / L"My Games\\bin").c_str(), nullptr));
        const std::wstring standIn = test::ProgramFolder() + L"\\stand_in_game.exe";
        ASSERT_TRUE(CopyFileW(standIn.c_str(), game_.c_str(), TRUE)) << "stand_in_game.exe";
        ASSERT_TRUE(CopyFileW(standIn.c_str(), decoy_.c_str(), TRUE));
        SetEnvironmentVariableW(L"DORVANE_STAND_IN_DELAY_MS", nullptr);
        SetEnvironmentVariableW(L"DORVANE_STAND_IN_LIFE_MS", nullptr);
    }
    void TearDown() override {
        for (DWORD pid : started_) EndProcess(pid);
    }

    // The record the program at `path` wrote, as key=value pairs; empty when it never ran.
    std::map<std::wstring, std::wstring> Record(const std::wstring& path) {
        const std::string bytes = test::FileBytes(path + L".record");
        std::map<std::wstring, std::wstring> fields;
        if (bytes == "<missing>") return fields;
        const std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()),
                                bytes.size() / sizeof(wchar_t));
        size_t start = 0;
        for (size_t end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1) {
            const std::wstring line = text.substr(start, end - start);
            const size_t equals = line.find(L'=');
            fields[line.substr(0, equals)] = line.substr(equals + 1);
        }
        if (fields.count(L"pid")) started_.push_back(std::stoul(fields[L"pid"]));
        return fields;
    }
    std::map<std::wstring, std::wstring> AwaitRecord(const std::wstring& path) {
        test::WaitUntil([&] { return GetFileAttributesW((path + L".record").c_str()) != INVALID_FILE_ATTRIBUTES; },
                        5000);
        return Record(path);
    }

    static bool IsRunning(DWORD pid) {
        KernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, pid));
        return process && WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT;
    }
    static void EndProcess(DWORD pid) {
        KernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid));
        if (!process) return;
        TerminateProcess(process.Get(), 0);
        WaitForSingleObject(process.Get(), 5000);
    }

    ScratchFolder folder_{test::TempFolder()};
    const std::wstring game_ = folder_ / L"My Games\\bin\\game.exe";
    const std::wstring decoy_ = folder_ / L"My.exe";
    std::vector<DWORD> started_;
};

TEST_F(RunProgramTest, StartsExactlyTheNamedFileInOurCurrentFolderAndReturnsWhileItRuns) {
    ScratchFolder ours(test::TempFolder(), L"dorvane-cwd");
    test::CurrentFolderScope inOurs(ours.Path());
    // Busy for three seconds before it waits for input: RunProgram must not wait that long.
    SetEnvironmentVariableW(L"DORVANE_STAND_IN_DELAY_MS", L"3000");

    const DWORD start = GetTickCount();
    ASSERT_TRUE(RunProgram(game_, false));
    const DWORD took = GetTickCount() - start;
    EXPECT_LT(took, 1700u) << "returns after at most about one second";

    auto record = AwaitRecord(game_);
    ASSERT_FALSE(record.empty()) << "the game itself was started";
    EXPECT_EQ(ours.Path(), record[L"cwd"]) << "our current folder, not the game's";
    EXPECT_EQ(L"\"" + game_ + L"\"", record[L"commandline"]);
    EXPECT_EQ(L"1", record[L"show"]) << "SW_SHOWNORMAL by default";
    EXPECT_TRUE(IsRunning(std::stoul(record[L"pid"]))) << "still running on its own";
    EXPECT_TRUE(Record(decoy_).empty()) << "the decoy at the truncated name never ran";
}

TEST_F(RunProgramTest, ReturnsOnceAWindowedProgramWaitsForInput) {
    const DWORD start = GetTickCount();
    ASSERT_TRUE(RunProgram(game_, false, 6));
    const DWORD took = GetTickCount() - start;
    auto record = Record(game_);  // written before its window: already there
    ASSERT_FALSE(record.empty());
    EXPECT_EQ(L"6", record[L"show"]) << "show mode 6 gives SW_MINIMIZE";
    EXPECT_TRUE(IsRunning(std::stoul(record[L"pid"])));
    EXPECT_LT(took, 1700u);
}

TEST_F(RunProgramTest, WaitsForTheEndWhenAskedTo) {
    SetEnvironmentVariableW(L"DORVANE_STAND_IN_LIFE_MS", L"600");
    const DWORD start = GetTickCount();
    ASSERT_TRUE(RunProgram(game_, true));
    EXPECT_GE(GetTickCount() - start, 500u);
    auto record = Record(game_);
    ASSERT_FALSE(record.empty());
    EXPECT_FALSE(IsRunning(std::stoul(record[L"pid"]))) << "it has ended when RunProgram returns";
}

TEST_F(RunProgramTest, FailsForANameThatIsNoProgram) {
    EXPECT_FALSE(RunProgram(folder_ / L"My Games\\bin\\missing.exe", false));
    EXPECT_FALSE(RunProgram(folder_ / L"My Games", false)) << "a folder";
    EXPECT_FALSE(RunProgram(L"", false));
    ASSERT_TRUE(test::PutFile(folder_ / L"My Games\\bin\\notes.exe", "not a program"));
    EXPECT_FALSE(RunProgram(folder_ / L"My Games\\bin\\notes.exe", false)) << "not an executable";
    // The decoy sits where an unquoted "<scratch>\My Games\bin\missing.exe" would find it.
    EXPECT_TRUE(Record(decoy_).empty());
}

}  // namespace
}  // namespace dorvane
