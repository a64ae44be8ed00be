#include <windows.h>
#include <ole2.h>

#include "app/background_music.h"
#include "app/fatal_message.h"
#include "app/program.h"
#include "app/wave/wave_player.h"

namespace dorvane {

void EndProgram(int /*exitCode*/) {
    AppContext& app = App();
    app.ending = true;
    if (app.definitionsLoaded) {
        app.storedData = StoredData{};
        app.definitionsLoaded = false;
    }
    if (ExitRoutine routine = app.exitRoutine) {
        app.exitRoutine = nullptr;
        routine();
    }
    app.bigIcon.Reset();
    app.smallIcon.Reset();
    // The process must not end while a playback thread still uses the wave device.
    StopAllWaves(true);
    if (app.oleInitialised) {
        OleUninitialize();
        app.oleInitialised = false;
    }
}

void FatalError(const std::wstring& message, int errorCode) {
    std::wstring text = FatalMessageText(message, errorCode);
    MessageBoxW(nullptr, text.c_str(), kFatalTitle, MB_ICONERROR);
    App().exitRoutine = nullptr;
    EndProgram(-1);
    ExitProcess(static_cast<UINT>(-1));
}

}  // namespace dorvane
