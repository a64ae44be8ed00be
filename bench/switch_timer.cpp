// Times Dorvane's switch to the experience server, from the click to the notice, on a game
// folder laid out by the bench (the stand-in game as bin\QQ炫舞.exe, a TCLS\config folder).
//
//   switch_timer RUNS DORVANE_EXE WORKFOLDER GAMEFOLDER
//
// For each run it puts GAMEFOLDER into 编辑框1, posts a click to 按钮2 and waits for a visible
// notice box of the program's UI thread; then closes the notice and waits for the game that the
// switch starts to come and go, so that the next run starts from a quiet program. Prints
//   run N switch_ms T game_started yes|no
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "bench/bench_support.h"

namespace {

using dorvane::bench::NowMs;
using dorvane::bench::PollUntil;

constexpr int kGameFolderBox = 0x03;    // 编辑框1
constexpr int kSwitchButton = 0x04;     // 按钮2, "转换体验服"
constexpr wchar_t kNoticeClass[] = L"#32770";

// The stand-in game writes this record (UTF-16 lines, "pid=N" first) once it has started.
std::wstring GameRecordPath(const std::wstring& gameFolder) {
    return gameFolder + L"\\bin\\QQ炫舞.exe.record";
}

DWORD RecordedProcessId(const std::wstring& recordPath) {
    dorvane::KernelHandle file(CreateFileW(recordPath.c_str(), GENERIC_READ,
                                           FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return 0;
    wchar_t text[64] = L"";
    DWORD read = 0;
    ReadFile(file.Get(), text, sizeof text - sizeof(wchar_t), &read, nullptr);
    if (std::wcsncmp(text, L"pid=", 4) != 0) return 0;
    return static_cast<DWORD>(std::wcstoul(text + 4, nullptr, 10));
}

// Waits until the recorded game has ended (a game that has already gone counts as ended).
void WaitForGameToEnd(DWORD processId) {
    dorvane::KernelHandle game(OpenProcess(SYNCHRONIZE, FALSE, processId));
    if (game) WaitForSingleObject(game.Get(), 10000);
}

struct SwitchResult {
    bool noticeShown = false;
    double ms = 0;
    bool gameStarted = false;
};

SwitchResult TimeOneSwitch(HWND window, const std::wstring& gameFolder) {
    SwitchResult result;
    const DWORD uiThread = GetWindowThreadProcessId(window, nullptr);
    const std::wstring record = GameRecordPath(gameFolder);
    DeleteFileW(record.c_str());
    SendMessageW(GetDlgItem(window, kGameFolderBox), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(gameFolder.c_str()));
    SetForegroundWindow(window);

    HWND notice = nullptr;
    const double clicked = NowMs();
    PostMessageW(GetDlgItem(window, kSwitchButton), BM_CLICK, 0, 0);
    result.noticeShown =
        PollUntil([&] { return (notice = dorvane::bench::FindThreadWindow(uiThread, kNoticeClass)) != nullptr; },
                  10000);
    result.ms = NowMs() - clicked;
    if (!result.noticeShown) return result;

    PostMessageW(GetDlgItem(notice, IDOK), BM_CLICK, 0, 0);
    PollUntil([&] { return IsWindowEnabled(window) && !dorvane::bench::FindThreadWindow(uiThread, kNoticeClass); },
              5000);
    result.gameStarted = PollUntil([&] { return RecordedProcessId(record) != 0; }, 5000);
    if (result.gameStarted) WaitForGameToEnd(RecordedProcessId(record));
    return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: switch_timer RUNS DORVANE_EXE WORKFOLDER GAMEFOLDER\n");
        return 2;
    }
    const int runs = _wtoi(argv[1]);
    const std::wstring gameFolder = argv[4];
    // The games that the switches start end by themselves soon; they inherit this.
    SetEnvironmentVariableW(L"DORVANE_STAND_IN_LIFE_MS", L"200");

    dorvane::bench::StartedProgram program(argv[2], argv[3]);
    HWND window = nullptr;
    if (!program.Started() ||
        !PollUntil([&] { return (window = program.VisibleWindow()) != nullptr; }, 15000)) {
        std::printf("failed: Dorvane's window did not appear\n");
        return 1;
    }
    Sleep(1000);  // start-up over: the window only sits there and plays its music

    int failures = 0;
    for (int run = 1; run <= runs; ++run) {
        const SwitchResult result = TimeOneSwitch(window, gameFolder);
        if (!result.noticeShown) {
            std::printf("run %d failed: no notice\n", run);
            ++failures;
            break;
        }
        std::printf("run %d switch_ms %.1f game_started %s\n", run, result.ms, result.gameStarted ? "yes" : "no");
        std::fflush(stdout);
        if (!result.gameStarted) ++failures;
    }
    program.End(window);
    return failures == 0 ? 0 : 1;
}
