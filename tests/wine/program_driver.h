// Drives the real Dorvane.exe from a test program, as a player would: starts it from another
// folder, finds its window and controls, types keys, reads pixels off the screen.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "host/win_handles.h"

namespace dorvane::test {

// Control identifiers: the low word of each control's unit number.
enum ControlId : int {
    kButton1 = 0x02, kEdit1 = 0x03, kButton2 = 0x04, kButton3 = 0x0A, kEdit2 = 0x0B, kButton4 = 0x0C,
    kButton5 = 0x16, kEdit3 = 0x17, kEdit4 = 0x18, kEdit5 = 0x19, kPicture1 = 0x1D, kGroup1 = 0x1E,
    kShape1 = 0x23, kEdit6 = 0x24, kPicture2 = 0x25, kLabel1 = 0x26, kEdit7 = 0x27, kLabel2 = 0x29,
    kLabel3 = 0x2A, kLabel4 = 0x2B, kLabel5 = 0x2C, kLabel6 = 0x2D, kLabel7 = 0x2E,
};

constexpr const wchar_t* kWindowTitle = L"Dorvane V1.0";

// A file beside this test program (the build folder).
std::wstring BesideTest(const std::wstring& name);

class RunningProgram {
public:
    // Starts `exe` with `workingFolder` as its working folder; `desktop` ("name,WIDTHxHEIGHT")
    // asks for a Wine desktop of that size, with its own screen; null keeps the default one.
    RunningProgram(const std::wstring& exe, const std::wstring& workingFolder, const wchar_t* desktop = nullptr);
    ~RunningProgram();  // ends the program if it still runs
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool Started() const { return process_.Valid(); }
    DWORD ProcessId() const { return processId_; }
    // Waits for the main window (null when it did not come in time).
    HWND WaitForWindow(DWORD timeoutMs = 15000);
    HWND Window() const { return window_; }
    HWND Control(int id) const;
    // Waits for the process to end; its exit code, or STILL_ACTIVE when it did not end in time.
    DWORD WaitForExit(DWORD timeoutMs = 10000);
    // The window that has the keyboard focus in the program's UI thread.
    HWND Focus() const;
    DWORD UiThread() const;

private:
    KernelHandle process_;
    DWORD processId_ = 0;
    std::wstring desktop_;
    HWND window_ = nullptr;
};

// Puts `window` in front and gives it the keyboard (true when it is the foreground window).
bool BringToFront(HWND window);
// A key press and release through SendInput, with the modifiers held around it.
void PressKey(WORD vk, bool shift = false, bool ctrl = false, bool alt = false);
// Posts a key press straight into the program's queue, to the given control.
void PostKey(HWND control, WORD vk);

std::wstring TextOf(HWND window);
std::wstring ClassOf(HWND window);
// The window's outer rectangle in its parent's client coordinates.
RECT RectInParent(HWND window);

// Pixels of a screen rectangle, row by row, as COLORREF.
struct ScreenShot {
    RECT area{};
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const;  // screen coordinates
};
ScreenShot CaptureScreen(const RECT& area);
// A rectangle in a window's client coordinates, converted to screen coordinates.
RECT ClientToScreenRect(HWND window, RECT rect);

}  // namespace dorvane::test
