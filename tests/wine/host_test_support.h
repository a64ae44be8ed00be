// Helpers shared by the tests of the host services and of choosing the game folder: scratch
// folders with real files, fixture programs beside the test program, and a second thread that
// plays the player while the first one sits in a modal dialog.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "host/win_handles.h"

namespace dorvane::test {

// The folder of this test program, where the fixture programs are built.
std::wstring ProgramFolder();

// A fresh folder `<parent>\<stem>-<pid>-<n>`, deleted with everything in it (attributes cleared
// first) when the object goes.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::wstring& parent, const std::wstring& stem = L"dorvane-host");
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::wstring& Path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

// The system's temporary folder without its trailing backslash.
std::wstring TempFolder();
void DeleteTree(const std::wstring& path);

// Whole-file helpers that do not go through the code under test.
bool PutFile(const std::wstring& path, const std::string& bytes);
// The file's bytes, or "<missing>" when it cannot be read.
std::string FileBytes(const std::wstring& path);
// The names in a folder, sorted, without "." and "..".
std::vector<std::wstring> FolderEntries(const std::wstring& folder);

// The current directory, and a scope that changes it and puts it back.
std::wstring CurrentFolder();
class CurrentFolderScope {
public:
    explicit CurrentFolderScope(const std::wstring& folder);
    ~CurrentFolderScope();
    CurrentFolderScope(const CurrentFolderScope&) = delete;
    CurrentFolderScope& operator=(const CurrentFolderScope&) = delete;

private:
    std::wstring previous_;
};

// Runs `task` on a thread of its own; Join waits for it (true when it ended in time).
class BackgroundTask {
public:
    explicit BackgroundTask(std::function<void()> task);
    ~BackgroundTask();
    BackgroundTask(const BackgroundTask&) = delete;
    BackgroundTask& operator=(const BackgroundTask&) = delete;
    bool Join(DWORD timeoutMs = 20000);

private:
    static DWORD WINAPI Run(void* self);
    std::function<void()> task_;
    KernelHandle thread_;
};

// Polls `condition` every 20 ms until it holds or `timeoutMs` has passed.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);

// The first visible top-level window of `threadId` of class `className` that `accept` accepts.
HWND FindThreadWindow(DWORD threadId, const wchar_t* className,
                      const std::function<bool(HWND)>& accept = nullptr);
// Waits for such a window (null when none came within the time).
HWND WaitForThreadWindow(DWORD threadId, const wchar_t* className,
                         const std::function<bool(HWND)>& accept = nullptr,
                         DWORD timeoutMs = 10000);
// The first child window (any depth) of class `className`, with `text` when it is not null.
HWND FindChild(HWND parent, const wchar_t* className, const wchar_t* text = nullptr);

std::wstring WindowText(HWND window);

// Pumps this thread's messages for `ms` milliseconds.
void PumpMessages(DWORD ms);

// A plain top-level window of this thread, destroyed with the object.
class TopWindow {
public:
    explicit TopWindow(const wchar_t* title, bool enabled = true);
    ~TopWindow();
    TopWindow(const TopWindow&) = delete;
    TopWindow& operator=(const TopWindow&) = delete;
    HWND Get() const { return window_; }

private:
    HWND window_;
};

// Starts a program with the given command line and no window of its own; returns its process.
KernelHandle StartProcess(const std::wstring& program, const std::wstring& arguments);

}  // namespace dorvane::test
