#include <shlobj.h>

#include <vector>

#include "host/host_services.h"
#include "host/win_handles.h"

namespace dorvane {

namespace {

// The windows of this program that the chooser must keep from taking input: every top-level
// window of the process that has no parent or owner.
BOOL CALLBACK CollectProgramWindow(HWND window, LPARAM collected) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == GetCurrentProcessId() && GetParent(window) == nullptr) {
        reinterpret_cast<std::vector<HWND>*>(collected)->push_back(window);
    }
    return TRUE;
}

// Makes the chooser modal over the whole program for its lifetime: disables every top-level
// window of the program and, afterwards, gives each its earlier enabled state back in the same
// order, then the foreground and the active window as they were.
class ProgramWindowsDisabled {
public:
    ProgramWindowsDisabled() : active_(GetActiveWindow()), foreground_(GetForegroundWindow()) {
        std::vector<HWND> windows;
        EnumWindows(CollectProgramWindow, reinterpret_cast<LPARAM>(&windows));
        for (HWND window : windows) {
            // EnableWindow returns whether the window was disabled before.
            const bool wasEnabled = !EnableWindow(window, FALSE);
            states_.push_back({window, wasEnabled});
        }
    }
    ~ProgramWindowsDisabled() {
        for (const WindowState& state : states_) EnableWindow(state.window, state.enabled);
        if (IsWindow(foreground_)) SetForegroundWindow(foreground_);
        if (IsWindow(active_)) SetActiveWindow(active_);
    }
    ProgramWindowsDisabled(const ProgramWindowsDisabled&) = delete;
    ProgramWindowsDisabled& operator=(const ProgramWindowsDisabled&) = delete;

private:
    struct WindowState {
        HWND window;
        bool enabled;
    };
    HWND active_;
    HWND foreground_;
    std::vector<WindowState> states_;
};

// The file-system path of the chosen item, or empty for an item without one (Control Panel).
Text PathOfItem(LPCITEMIDLIST item) {
    wchar_t path[MAX_PATH] = L"";
    if (!SHGetPathFromIDListW(item, path)) return Text();
    return Text(path);
}

}  // namespace

Text ChooseFolder(const Text& title, bool includeFiles) {
    HWND owner = GetActiveWindow();
    if (!IsWindow(owner)) owner = nullptr;

    wchar_t displayName[MAX_PATH] = L"";
    BROWSEINFOW browse{};
    browse.hwndOwner = owner;
    browse.pidlRoot = nullptr;  // the whole shell namespace, from the desktop down
    browse.pszDisplayName = displayName;
    browse.lpszTitle = title.c_str();  // the instruction line above the tree
    // An edit field under the tree lets the player type a name too. No BIF_RETURNONLYFSDIRS:
    // OK also accepts items without a path, which then give an empty result.
    browse.ulFlags = BIF_EDITBOX | (includeFiles ? BIF_BROWSEINCLUDEFILES : 0);

    LPITEMIDLIST picked = nullptr;
    {
        ProgramWindowsDisabled modal;
        picked = SHBrowseForFolderW(&browse);
    }
    const ShellMemory<ITEMIDLIST> chosen(picked);
    if (!chosen) return Text();  // Cancel
    return PathOfItem(chosen.Get());
}

}  // namespace dorvane
