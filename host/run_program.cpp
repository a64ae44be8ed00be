#include <vector>

#include "host/command_line.h"
#include "host/host_services.h"
#include "host/show_mode.h"
#include "host/win_handles.h"

namespace dorvane {

namespace {
constexpr DWORD kInputIdleWaitMs = 1000;
}  // namespace

bool RunProgram(const Text& programPath, bool wait, int showMode) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = ShowWindowForMode(showMode);

    // The path goes in as the application name, so Windows starts that file and no other: with
    // an unquoted command line alone it would try "C:\Program.exe" before
    // "C:\Program Files\...". The quoted path is what the program sees as its own name.
    // CreateProcessW may write into the command line, so it gets a buffer of its own.
    const Text quoted = QuotedCommandLine(programPath);
    std::vector<wchar_t> commandLine(quoted.begin(), quoted.end());
    commandLine.push_back(L'\0');

    PROCESS_INFORMATION created{};
    // No current directory: the program starts in this process's current directory.
    if (!CreateProcessW(programPath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &created)) {
        return false;
    }
    // Declared in this order, the thread handle is closed before the process handle.
    KernelHandle process(created.hProcess);
    KernelHandle thread(created.hThread);
    if (wait) {
        WaitForSingleObject(process.Get(), INFINITE);
    } else {
        // Only a pause for the program to come up; it runs on by itself whatever this returns.
        WaitForInputIdle(process.Get(), kInputIdleWaitMs);
    }
    return true;
}

}  // namespace dorvane
