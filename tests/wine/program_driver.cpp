#include "program_driver.h"

#include "host_test_support.h"

namespace dorvane::test {

std::wstring BesideTest(const std::wstring& name) { return ProgramFolder() + L"\\" + name; }

RunningProgram::RunningProgram(const std::wstring& exe, const std::wstring& workingFolder, const wchar_t* desktop) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring application = exe;
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (desktop) {
        // Wine's explorer opens a desktop of its own size and starts the program on it.
        std::wstring request = desktop;
        desktop_ = request.substr(0, request.find(L','));
        wchar_t windows[MAX_PATH] = L"";
        GetWindowsDirectoryW(windows, MAX_PATH);
        application = std::wstring(windows) + L"\\explorer.exe";
        commandLine = L"explorer.exe /desktop=" + request + L" " + commandLine;
    }
    if (!CreateProcessW(application.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.c_str(), &si, &pi))
        return;
    CloseHandle(pi.hThread);
    process_.Reset(pi.hProcess);
    processId_ = pi.dwProcessId;
}

RunningProgram::~RunningProgram() {
    // A program started through explorer on a desktop of its own is not ours to terminate:
    // ask its window to close.
    if (!desktop_.empty() && (window_ || WaitForWindow(3000))) PostMessageW(window_, WM_CLOSE, 0, 0);
    if (process_.Valid() && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.Get(), 1);
        WaitForSingleObject(process_.Get(), 5000);
    }
}

namespace {

struct WindowSearch {
    DWORD processId;
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    bool ours = search->processId == 0 || pid == search->processId;
    // A caption can be read without sending a message, also on another desktop.
    wchar_t caption[64] = L"";
    GetWindowTextW(hwnd, caption, 64);
    // Seen from another desktop no window counts as visible; there the caption alone decides.
    bool visible = search->processId == 0 || IsWindowVisible(hwnd);
    if (ours && visible && std::wstring(caption) == search->title) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND RunningProgram::WaitForWindow(DWORD timeoutMs) {
    WaitUntil(
        [&] {
            WindowSearch search{processId_, kWindowTitle, nullptr};
            if (desktop_.empty()) {
                EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
            } else if (HDESK desktop = OpenDesktopW(desktop_.c_str(), 0, FALSE, GENERIC_ALL)) {
                search.processId = 0;  // started through explorer: match the title alone
                EnumDesktopWindows(desktop, MatchTopLevel, reinterpret_cast<LPARAM>(&search));
                CloseDesktop(desktop);
            }
            window_ = search.found;
            return window_ != nullptr;
        },
        timeoutMs);
    return window_;
}

HWND RunningProgram::Control(int id) const {
    HWND direct = GetDlgItem(window_, id);
    if (direct) return direct;
    // Controls inside a picture box are grandchildren.
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (HWND inner = GetDlgItem(child, id)) return inner;
    }
    return nullptr;
}

DWORD RunningProgram::WaitForExit(DWORD timeoutMs) {
    if (!process_.Valid() || WaitForSingleObject(process_.Get(), timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.Get(), &code);
    return code;
}

DWORD RunningProgram::UiThread() const { return window_ ? GetWindowThreadProcessId(window_, nullptr) : 0; }

HWND RunningProgram::Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(UiThread(), &info)) return nullptr;
    return info.hwndFocus;
}

bool BringToFront(HWND window) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        SetForegroundWindow(window);
        if (GetForegroundWindow() == window) return true;
        Sleep(20);
    }
    return false;
}

namespace {

INPUT KeyInput(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

}  // namespace

void PressKey(WORD vk, bool shift, bool ctrl, bool alt) {
    std::vector<INPUT> inputs;
    if (shift) inputs.push_back(KeyInput(VK_SHIFT, false));
    if (ctrl) inputs.push_back(KeyInput(VK_CONTROL, false));
    if (alt) inputs.push_back(KeyInput(VK_MENU, false));
    inputs.push_back(KeyInput(vk, false));
    inputs.push_back(KeyInput(vk, true));
    if (alt) inputs.push_back(KeyInput(VK_MENU, true));
    if (ctrl) inputs.push_back(KeyInput(VK_CONTROL, true));
    if (shift) inputs.push_back(KeyInput(VK_SHIFT, true));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Sleep(150);
}

void PostKey(HWND control, WORD vk) {
    PostMessageW(control, WM_KEYDOWN, vk, 1);
    PostMessageW(control, WM_KEYUP, vk, 0xC0000001);
    Sleep(150);
}

// WM_GETTEXT rather than GetWindowText: across processes GetWindowText returns only captions,
// not what an edit box holds.
std::wstring TextOf(HWND window) {
    wchar_t buffer[1024] = L"";
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 5000, &copied);
    return buffer;
}

std::wstring ClassOf(HWND window) {
    wchar_t buffer[128] = L"";
    GetClassNameW(window, buffer, 128);
    return buffer;
}

RECT RectInParent(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

COLORREF ScreenShot::At(int x, int y) const {
    int width = area.right - area.left;
    return pixels[static_cast<size_t>((y - area.top) * width + (x - area.left))];
}

ScreenShot CaptureScreen(const RECT& area) {
    ScreenShot shot;
    shot.area = area;
    int width = area.right - area.left;
    int height = area.bottom - area.top;
    WindowDc screen(nullptr);
    MemoryDc memory(screen.Get());
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    GdiObject<HBITMAP> bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    {
        ScopedSelect select(memory.Get(), bitmap.Get());
        BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), area.left, area.top, SRCCOPY);
    }
    GdiFlush();
    const auto* bgrx = static_cast<const unsigned char*>(bits);
    shot.pixels.reserve(static_cast<size_t>(width) * height);
    for (int i = 0; i < width * height; ++i)
        shot.pixels.push_back(RGB(bgrx[i * 4 + 2], bgrx[i * 4 + 1], bgrx[i * 4]));
    return shot;
}

RECT ClientToScreenRect(HWND window, RECT rect) {
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace dorvane::test
