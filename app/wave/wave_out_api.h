// The waveOut functions the player calls, gathered in one table so that tests can put a
// stand-in device in place of the system's.
#pragma once

#include <windows.h>
#include <mmsystem.h>

namespace dorvane {

struct WaveOutApi {
    decltype(&waveOutGetNumDevs) getNumDevs;
    decltype(&waveOutOpen) open;
    decltype(&waveOutPrepareHeader) prepareHeader;
    decltype(&waveOutUnprepareHeader) unprepareHeader;
    decltype(&waveOutWrite) write;
    decltype(&waveOutPause) pause;
    decltype(&waveOutReset) reset;
    decltype(&waveOutClose) close;
};

// winmm's own functions.
const WaveOutApi& SystemWaveOut();

}  // namespace dorvane
