// Runs Dorvane.exe as a player would while the Linux side records the sound device, and prints
// when each step happened (milliseconds of the system clock, which Wine shares with Linux) as
// "name: value" lines: the window first visible, a notice box opened and closed, the window
// closed, the process ended.
// Usage: music_program_driver PROGRAM_PATH
#include <windows.h>

#include <cstdio>
#include <string>

#include "host/win_handles.h"
#include "music_report.h"

namespace {

constexpr wchar_t kWindowTitle[] = L"Dorvane V1.0";
// The switch button of the experience side: with its folder box empty, it shows a notice. The
// folder button opens the folder chooser, another modal box that keeps the UI thread busy.
constexpr wchar_t kSwitchButtonText[] = L"转换体验服";
constexpr wchar_t kFolderButtonText[] = L"目录";

using dorvane::test::ClockMs;
using dorvane::test::Report;

struct WindowSearch {
    DWORD processId;
    const wchar_t* className;  // null: any class
    const wchar_t* title;      // null: any title
    HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
    wchar_t text[64] = {};
    if (search->className) {
        GetClassNameW(window, text, 64);
        if (std::wstring(text) != search->className) return TRUE;
    }
    if (search->title) {
        GetWindowTextW(window, text, 64);
        if (std::wstring(text) != search->title) return TRUE;
    }
    search->found = window;
    return FALSE;
}

HWND FindVisibleWindow(DWORD processId, const wchar_t* className, const wchar_t* title) {
    WindowSearch search{processId, className, title};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Polls every millisecond; null when nothing turned up within the time.
template <typename Find>
HWND WaitForWindow(Find find, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (HWND window = find()) return window;
        if (GetTickCount64() >= deadline) return nullptr;
        Sleep(1);
    }
}

bool WaitUntilGone(HWND window, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (IsWindow(window) && IsWindowVisible(window)) {
        if (GetTickCount64() >= deadline) return false;
        Sleep(1);
    }
    return true;
}

// The click as the button reports it to its window (BM_CLICK needs the mouse capture, which a
// window in the background may not get).
void Click(HWND window, HWND button) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

int Fail(const char* what) {
    std::fprintf(stderr, "music_program_driver: %s\n", what);
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return Fail("usage: music_program_driver PROGRAM_PATH");
    std::wstring commandLine = L"\"" + std::wstring(argv[1]) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    Report("launch_ms", ClockMs());
    if (!CreateProcessW(argv[1], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        return Fail("the program does not start");
    }
    dorvane::KernelHandle process(started.hProcess);
    dorvane::KernelHandle thread(started.hThread);
    const DWORD id = started.dwProcessId;

    const HWND main = WaitForWindow([&] { return FindVisibleWindow(id, nullptr, kWindowTitle); }, 30000);
    if (!main) return Fail("the window does not show");
    Report("visible_ms", ClockMs());

    Sleep(1500);
    auto findBox = [&] { return FindVisibleWindow(id, L"#32770", nullptr); };
    HWND box = nullptr;
    for (const wchar_t* text : {kSwitchButtonText, kFolderButtonText}) {
        const HWND button = FindWindowExW(main, nullptr, L"Button", text);
        if (!button) continue;
        Click(main, button);
        box = WaitForWindow(findBox, 3000);
        if (box) break;
    }
    if (!box) return Fail("no button opens a modal box");
    Report("notice_open_ms", ClockMs());
    Sleep(3000);
    PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    if (!WaitUntilGone(box, 5000)) return Fail("the modal box does not close");
    Report("notice_closed_ms", ClockMs());
    // Leaving the chooser may bring up a notice of its own.
    while (HWND next = WaitForWindow(findBox, 1000)) {
        PostMessageW(next, WM_COMMAND, IDCANCEL, 0);
        if (!WaitUntilGone(next, 5000)) return Fail("a notice box does not close");
    }

    Sleep(1000);
    Report("close_ms", ClockMs());
    PostMessageW(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.Get(), 15000) != WAIT_OBJECT_0) return Fail("the program does not end");
    Report("exit_ms", ClockMs());
    DWORD exitCode = 0;
    GetExitCodeProcess(process.Get(), &exitCode);
    Report("exit_code", static_cast<long long>(static_cast<int>(exitCode)));
    return 0;
}
