#include <windows.h>
#include <ole2.h>

#include "app/fatal_message.h"
#include "app/main_window.h"
#include "app/path_split.h"
#include "app/program.h"
#include "app/resource_ids.h"
#include "app/wave/wave_player.h"
#include "app/window_definition.h"

namespace dorvane {
namespace {

std::wstring ModuleFileName() {
    // Long paths are allowed: grow the buffer until the whole path fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0) return std::wstring();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

// Makes the executable's folder the current directory, so that relative folders typed into the
// boxes and the started game's working folder are the same wherever the program was started.
void EnterExecutableFolder(AppContext& app) {
    app.executablePath = ModuleFileName();
    SplitPath split = SplitAtLastBackslash(app.executablePath);
    app.executableFolder = split.folder;
    app.executableFileName = split.fileName;
    SetCurrentDirectoryW(app.executableFolder.c_str());  // failure is harmless: start-up goes on
}

bool LoadStoredBytes(int id, StoredBytes& out) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!info) return false;
    HGLOBAL loaded = LoadResource(module, info);
    DWORD size = SizeofResource(module, info);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes || size == 0) return false;
    out.data = static_cast<const unsigned char*>(bytes);
    out.size = size;
    return true;
}

void LoadWindowDefinitions(AppContext& app) {
    if (!LoadStoredBytes(IDR_STORED_PICTURE, app.storedData.picture) ||
        !LoadStoredBytes(IDR_STORED_SOUND, app.storedData.sound)) {
        FatalError(kStoredDataUnreadable, 0);
    }
    app.definitionsLoaded = true;
}

}  // namespace

void InitRuntime() {
    AppContext& app = App();
    EnterExecutableFolder(app);
    LoadWindowDefinitions(app);
}

// The folder chooser needs OLE on this thread. Only a click can open it, and clicks are handled
// by the message loop, so OLE is initialised once the window is on screen, just before the loop:
// its set-up (tens to hundreds of milliseconds under Wine) no longer delays the first frame.
void InitOle() {
    AppContext& app = App();
    if (app.oleInitialised) return;
    OleInitialize(nullptr);  // a failure is harmless until the chooser is opened
    app.oleInitialised = true;
}

void InitGlobals() {}
void ReleaseGlobals() {}

void SetExitRoutine(ExitRoutine routine) { App().exitRoutine = routine; }

void LoadStartWindow(std::uint32_t unitNumber) {
    const WindowDefinition* definition = FindWindowDefinition(unitNumber);
    if (!definition || !App().definitionsLoaded) FatalError(kStartWindowFailed, 0);
    MainWindow* window = MainWindow::Build(*definition, App().storedData);
    if (!window) FatalError(kStartWindowFailed, 0);
    window->RunCreatedEvent();
    if (!IsWindow(window->Handle())) return;
    window->Show();
}

int RunMessageLoop() {
    App().loopRunning = true;
    if (!MainWindow::AnyAlive()) return 0;
    MSG msg;
    for (;;) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        if (got == -1) return 0;
        if (MainWindow::PreTranslate(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

int StartProgram() {
    // The wave system's first use is slow; let it get ready while the window is being built.
    WarmUpWaveOutput();
    InitRuntime();
    InitGlobals();
    SetExitRoutine(ReleaseGlobals);
    LoadStartWindow(kStartWindowUnit);
    InitOle();
    return RunMessageLoop();
}

}  // namespace dorvane
