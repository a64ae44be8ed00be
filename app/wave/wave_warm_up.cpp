#include "app/wave/wave_out_api.h"
#include "app/wave/wave_player.h"
#include "host/win_handles.h"

namespace dorvane {
namespace {

DWORD WINAPI SetUpWaveOutput(LPVOID) {
    // winmm sets itself up once per process; a PlayWave running meanwhile waits for it inside
    // its own waveOutGetNumDevs instead of starting the set-up again.
    SystemWaveOut().getNumDevs();
    return 0;
}

}  // namespace

void WarmUpWaveOutput() {
    // Nobody waits for this thread: it ends by itself once the set-up is done.
    KernelHandle thread(CreateThread(nullptr, 0, SetUpWaveOutput, nullptr, 0, nullptr));
}

}  // namespace dorvane
