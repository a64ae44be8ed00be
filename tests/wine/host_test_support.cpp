#include "host_test_support.h"

#include <algorithm>

namespace dorvane::test {

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH * 2];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\'));
}

std::wstring TempFolder() {
    wchar_t path[MAX_PATH + 1];
    std::wstring folder(path, GetTempPathW(MAX_PATH + 1, path));
    while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    return folder;
}

ScratchFolder::ScratchFolder(const std::wstring& parent, const std::wstring& stem) {
    static int counter = 0;
    do {
        path_ = parent + L"\\" + stem + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter);
    } while (!CreateDirectoryW(path_.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
}

ScratchFolder::~ScratchFolder() { DeleteTree(path_); }

void DeleteTree(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        for (const std::wstring& name : FolderEntries(path)) DeleteTree(path + L"\\" + name);
        RemoveDirectoryW(path.c_str());
    } else {
        DeleteFileW(path.c_str());
    }
}

bool PutFile(const std::wstring& path, const std::string& bytes) {
    KernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size() && file.Close();
}

std::string FileBytes(const std::wstring& path) {
    KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return "<missing>";
    std::string bytes;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file.Get(), chunk, sizeof(chunk), &read, nullptr) && read > 0) {
        bytes.append(chunk, read);
    }
    return bytes;
}

std::vector<std::wstring> FolderEntries(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    FindHandle owner(search);
    if (!owner.Valid()) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(search, &found));
    std::sort(names.begin(), names.end());
    return names;
}

std::wstring CurrentFolder() {
    wchar_t path[MAX_PATH * 2];
    return std::wstring(path, GetCurrentDirectoryW(MAX_PATH * 2, path));
}

CurrentFolderScope::CurrentFolderScope(const std::wstring& folder) : previous_(CurrentFolder()) {
    SetCurrentDirectoryW(folder.c_str());
}

CurrentFolderScope::~CurrentFolderScope() { SetCurrentDirectoryW(previous_.c_str()); }

BackgroundTask::BackgroundTask(std::function<void()> task) : task_(std::move(task)) {
    thread_.Reset(CreateThread(nullptr, 0, Run, this, 0, nullptr));
}

BackgroundTask::~BackgroundTask() { Join(); }

bool BackgroundTask::Join(DWORD timeoutMs) {
    if (!thread_) return true;
    if (WaitForSingleObject(thread_.Get(), timeoutMs) != WAIT_OBJECT_0) return false;
    thread_.Reset();
    return true;
}

DWORD WINAPI BackgroundTask::Run(void* self) {
    static_cast<BackgroundTask*>(self)->task_();
    return 0;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

namespace {

struct WindowSearch {
    const wchar_t* className;
    const wchar_t* text;
    const std::function<bool(HWND)>* accept;
    bool visibleOnly;
    HWND found;
};

bool Matches(HWND window, const WindowSearch& search) {
    wchar_t className[64] = L"";
    GetClassNameW(window, className, 64);
    if (search.className && lstrcmpiW(className, search.className) != 0) return false;
    if (search.visibleOnly && !IsWindowVisible(window)) return false;
    if (search.text && WindowText(window) != search.text) return false;
    return !search.accept || !*search.accept || (*search.accept)(window);
}

BOOL CALLBACK MatchWindow(HWND window, LPARAM state) {
    auto& search = *reinterpret_cast<WindowSearch*>(state);
    if (!Matches(window, search)) return TRUE;
    search.found = window;
    return FALSE;
}

}  // namespace

HWND FindThreadWindow(DWORD threadId, const wchar_t* className,
                      const std::function<bool(HWND)>& accept) {
    WindowSearch search{className, nullptr, &accept, true, nullptr};
    EnumThreadWindows(threadId, MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForThreadWindow(DWORD threadId, const wchar_t* className,
                         const std::function<bool(HWND)>& accept, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindThreadWindow(threadId, className, accept)) != nullptr; },
              timeoutMs);
    return found;
}

HWND FindChild(HWND parent, const wchar_t* className, const wchar_t* text) {
    WindowSearch search{className, text, nullptr, false, nullptr};
    EnumChildWindows(parent, MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring WindowText(HWND window) {
    // WM_GETTEXT rather than GetWindowTextW, which does not ask a control of another process.
    const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]))));
    return text;
}

void PumpMessages(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    } while (GetTickCount() - start < ms);
}

TopWindow::TopWindow(const wchar_t* title, bool enabled) {
    static const wchar_t kClass[] = L"DorvaneHostTestWindow";
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClass;
    RegisterClassW(&windowClass);  // fails harmlessly when already registered
    window_ = CreateWindowW(kClass, title, WS_OVERLAPPEDWINDOW | (enabled ? 0 : WS_DISABLED),
                            100, 100, 300, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
    ShowWindow(window_, SW_SHOWNORMAL);
    PumpMessages(50);
}

TopWindow::~TopWindow() {
    if (IsWindow(window_)) DestroyWindow(window_);
}

KernelHandle StartProcess(const std::wstring& program, const std::wstring& arguments) {
    std::wstring line = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION created{};
    if (!CreateProcessW(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &created)) {
        return KernelHandle();
    }
    KernelHandle thread(created.hThread);
    return KernelHandle(created.hProcess);
}

}  // namespace dorvane::test
