#include "app/wave/wave_out_api.h"

namespace dorvane {

const WaveOutApi& SystemWaveOut() {
    static const WaveOutApi api{waveOutGetNumDevs,      waveOutOpen,  waveOutPrepareHeader,
                                waveOutUnprepareHeader, waveOutWrite, waveOutPause,
                                waveOutReset,           waveOutClose};
    return api;
}

}  // namespace dorvane
