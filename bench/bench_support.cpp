#include "bench/bench_support.h"

namespace dorvane::bench {

double NowMs() {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency);
}

StartedProgram::StartedProgram(const std::wstring& exe, const std::wstring& workingFolder) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.c_str(), &startup, &info))
        return;
    CloseHandle(info.hThread);
    process_.Reset(info.hProcess);
    processId_ = info.dwProcessId;
}

StartedProgram::~StartedProgram() { End(VisibleWindow()); }

namespace {

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchVisibleTopLevel(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const bool captioned = (GetWindowLongW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
    if (processId == search->processId && captioned && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

struct ClassSearch {
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK MatchVisibleOfClass(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ClassSearch*>(param);
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    if (std::wstring(name) == search->className && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND StartedProgram::VisibleWindow() const {
    if (!process_.Valid()) return nullptr;
    WindowSearch search{processId_, nullptr};
    EnumWindows(MatchVisibleTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void StartedProgram::End(HWND window) {
    if (!process_.Valid()) return;
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.Get(), 5000) == WAIT_TIMEOUT) {
        TerminateProcess(process_.Get(), 1);
        WaitForSingleObject(process_.Get(), 5000);
    }
    process_.Close();
}

HWND FindThreadWindow(DWORD threadId, const wchar_t* className) {
    ClassSearch search{className, nullptr};
    EnumThreadWindows(threadId, MatchVisibleOfClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace dorvane::bench
