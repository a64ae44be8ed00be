// The process-wide state of the shell: who we are, where we run from, what is loaded, and
// which steps of the end-of-program clean-up are still to do.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "host/win_handles.h"

namespace dorvane {

struct WindowDefinition;

// Bytes stored inside the executable: the picture the picture boxes show and the window's
// background sound.
struct StoredBytes {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
    bool Empty() const { return data == nullptr || size == 0; }
};

struct StoredData {
    StoredBytes picture;
    StoredBytes sound;
};

using ExitRoutine = void (*)();

struct AppContext {
    std::wstring executablePath;
    std::wstring executableFolder;
    std::wstring executableFileName;

    bool definitionsLoaded = false;
    StoredData storedData;

    ExitRoutine exitRoutine = nullptr;
    bool loopRunning = false;
    bool ending = false;
    bool oleInitialised = false;

    // The window icons from "DEFAULT_ICON", loaded on first use.
    IconHandle bigIcon;
    IconHandle smallIcon;
};

AppContext& App();

// Loads the large (32x32) and small (16x16) icons from the executable's "DEFAULT_ICON" the
// first time they are asked for.
HICON DefaultBigIcon();
HICON DefaultSmallIcon();

}  // namespace dorvane
