// Stands in for the game in the launch tests. It writes what it was started with (process id,
// command line, working folder, show mode) to "<its own path>.record" as UTF-16 lines, then
// shows a window and runs a message loop until a few seconds have passed.
// Environment (inherited from the test): DORVANE_STAND_IN_DELAY_MS, a pause before the window
// exists (the program is then busy and not yet waiting for input); DORVANE_STAND_IN_LIFE_MS,
// how long the window stays (default 5000).
#include <windows.h>

#include <string>

#include "host/win_handles.h"

namespace {

DWORD EnvironmentNumber(const wchar_t* name, DWORD fallback) {
    wchar_t value[32];
    const DWORD length = GetEnvironmentVariableW(name, value, 32);
    if (length == 0 || length >= 32) return fallback;
    return static_cast<DWORD>(wcstoul(value, nullptr, 10));
}

std::wstring OwnPath() {
    wchar_t path[MAX_PATH * 2];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
    return std::wstring(path, length);
}

void WriteRecord() {
    wchar_t folder[MAX_PATH * 2];
    GetCurrentDirectoryW(MAX_PATH * 2, folder);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    GetStartupInfoW(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;

    const std::wstring record = L"pid=" + std::to_wstring(GetCurrentProcessId()) +
                                L"\ncommandline=" + GetCommandLineW() + L"\ncwd=" + folder +
                                L"\nshow=" + std::to_wstring(show) + L"\n";
    const std::wstring target = OwnPath() + L".record";
    const std::wstring partial = target + L".part";
    {
        dorvane::KernelHandle file(CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr,
                                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return;
        DWORD written = 0;
        WriteFile(file.Get(), record.data(), static_cast<DWORD>(record.size() * sizeof(wchar_t)),
                  &written, nullptr);
    }
    // Renamed into place complete, so a reader never sees half a record.
    MoveFileExW(partial.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_TIMER) {
        DestroyWindow(window);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, w, l);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand) {
    WriteRecord();
    Sleep(EnvironmentNumber(L"DORVANE_STAND_IN_DELAY_MS", 0));

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"DorvaneStandInGame";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowW(L"DorvaneStandInGame", L"stand-in game", WS_OVERLAPPEDWINDOW,
                                CW_USEDEFAULT, CW_USEDEFAULT, 200, 100, nullptr, nullptr, instance,
                                nullptr);
    if (!window) return 1;
    ShowWindow(window, showCommand);
    SetTimer(window, 1, EnvironmentNumber(L"DORVANE_STAND_IN_LIFE_MS", 5000), nullptr);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
