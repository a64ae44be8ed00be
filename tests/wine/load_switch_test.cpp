// Many switches in a row through the real window, alternating the two targets, each starting
// the game: afterwards exactly one target's pair is on disk, and the program has not grown in
// handles, private memory or threads. The count comes from DORVANE_LOAD_SWITCHES (a thousand
// take about four minutes under Wine, more than a test of the suite may; it runs a hundred).
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "e2e_player.h"
#include "e2e_process_figures.h"
#include "host_test_support.h"
#include "program_driver.h"

namespace dorvane {
namespace {

using namespace test;

constexpr int kDefaultSwitches = 100;
constexpr int kWarmUpSwitches = 20;

int SwitchCount() {
    wchar_t value[16] = L"";
    const DWORD length = GetEnvironmentVariableW(L"DORVANE_LOAD_SWITCHES", value, 16);
    const int count = length > 0 && length < 16 ? _wtoi(value) : 0;
    return count > kWarmUpSwitches ? count : kDefaultSwitches;
}

// Handles that starting a program and waiting for it to take input leaves in the starting
// process by itself, measured in this process: Wine 8 keeps a handle to the started program's
// idle event after every WaitForInputIdle; Windows keeps none. Dorvane.exe is allowed that much.
double PlatformHandlesPerLaunch() {
    constexpr int kLaunches = 10;
    const std::wstring standIn = ProgramFolder() + L"\\stand_in_game.exe";
    const DWORD before = FiguresOf(GetCurrentProcessId()).handles;
    for (int i = 0; i < kLaunches; ++i) {
        KernelHandle game = StartProcess(standIn, L"");
        if (!game) return 0;
        WaitForInputIdle(game.Get(), 1000);
        WaitForSingleObject(game.Get(), 5000);
    }
    const DWORD after = FiguresOf(GetCurrentProcessId()).handles;
    return after > before ? static_cast<double>(after - before) / kLaunches : 0;
}

void Print(const char* when, const ProcessFigures& figures) {
    std::printf("%s: handles %lu, private %.2f MB, threads %u\n", when,
                static_cast<unsigned long>(figures.handles), figures.privateBytes / 1048576.0,
                static_cast<unsigned>(figures.threads));
}

TEST(LoadSwitchTest, ManySwitchesEndWithOnePairAndNoGrowth) {
    // Each started game ends at once; only the start itself is wanted.
    SetEnvironmentVariableW(L"DORVANE_STAND_IN_LIFE_MS", L"0");
    SetEnvironmentVariableW(L"DORVANE_STAND_IN_DELAY_MS", nullptr);
    ScratchFolder root{L"C:", L"dorvane-load"};
    ScratchFolder elsewhere{TempFolder(), L"dorvane-player"};
    const GameFolder game{root / L"QQ炫舞"};
    ASSERT_TRUE(MakeGameFolder(game));

    RunningProgram program(BesideTest(L"Dorvane.exe"), elsewhere.Path());
    ASSERT_NE(nullptr, program.WaitForWindow());
    SetBox(program, kEdit1, game.path);
    SetBox(program, kEdit2, game.path);
    const std::wstring told[] = {L"体验服转换成功.请登录游戏", L"正服转换成功.请登录游戏"};
    const int buttons[] = {kButton2, kButton4};

    const double platformPerLaunch = PlatformHandlesPerLaunch();
    const int count = SwitchCount();
    ProcessFigures warm;
    DWORD started = 0;
    for (int i = 0; i < count; ++i) {
        if (i == kWarmUpSwitches) {
            Sleep(500);  // the last games gone
            warm = FiguresOf(program.ProcessId());
            started = GetTickCount();
        }
        Click(program, buttons[i % 2]);
        const Notice notice = ReadAndCloseNotice(program);
        ASSERT_TRUE(notice.shown && notice.settled) << "switch " << i;
        ASSERT_EQ(told[i % 2], notice.message) << "switch " << i;
    }
    const DWORD elapsed = GetTickCount() - started;
    Sleep(500);
    const ProcessFigures end = FiguresOf(program.ProcessId());

    const int switches = count - kWarmUpSwitches;
    std::printf("%d switches after %d of warm-up: %lu ms, %.1f ms a switch\n", switches,
                kWarmUpSwitches, static_cast<unsigned long>(elapsed),
                static_cast<double>(elapsed) / switches);
    std::printf("handles the system keeps per started program: %.1f\n", platformPerLaunch);
    Print("after warm-up", warm);
    Print("at the end", end);

    const LauncherPair last = (count - 1) % 2 == 0 ? ExperiencePair() : OfficialPair();
    EXPECT_TRUE(last == game.Files()) << "exactly the last target's pair";
    EXPECT_EQ((std::vector<std::wstring>{L"VersionServerConfig.xml", L"dirserver.xml"}),
              FolderEntries(game.Config()))
        << "nothing else left beside them";
    ASSERT_TRUE(warm.read && end.read) << "figures of Dorvane.exe";
    const double platformHandles = platformPerLaunch * switches;
    EXPECT_LT(static_cast<double>(end.handles) - static_cast<double>(warm.handles) - platformHandles,
              50.0)
        << "beyond the " << platformHandles << " that the system itself keeps";
    EXPECT_LT(static_cast<double>(end.privateBytes) - static_cast<double>(warm.privateBytes),
              8.0 * 1048576);
    EXPECT_LE(end.threads, warm.threads + 3);

    PostKey(program.Control(kButton1), VK_ESCAPE);
    EXPECT_EQ(0u, program.WaitForExit(10000));
}

}  // namespace
}  // namespace dorvane
