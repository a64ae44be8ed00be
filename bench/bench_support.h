// What the bench's timing programs share: a millisecond clock, starting a program as a player
// would, and finding its windows from outside.
#pragma once

#include <windows.h>

#include <string>

#include "host/win_handles.h"

namespace dorvane::bench {

// Milliseconds on the performance counter, from an arbitrary origin.
double NowMs();

// A program started by the bench; ended (asked to close, then terminated) when it goes away.
class StartedProgram {
public:
    StartedProgram(const std::wstring& exe, const std::wstring& workingFolder);
    ~StartedProgram();
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    bool Started() const { return process_.Valid(); }
    DWORD ProcessId() const { return processId_; }
    // The process's visible top-level window with a caption, or null when there is none yet.
    HWND VisibleWindow() const;
    // Asks the window to close, then waits for the process; terminates it if it does not end.
    void End(HWND window);

private:
    KernelHandle process_;
    DWORD processId_ = 0;
};

// A visible window of the given class that belongs to the thread, or null.
HWND FindThreadWindow(DWORD threadId, const wchar_t* className);

// Repeats `done` about once a millisecond until it is true or the time is up.
template <typename Predicate>
bool PollUntil(Predicate done, double timeoutMs) {
    const double deadline = NowMs() + timeoutMs;
    while (!done()) {
        if (NowMs() > deadline) return false;
        Sleep(1);
    }
    return true;
}

}  // namespace dorvane::bench
