#include "app/background_music.h"

#include "app/wave/wav_chunks.h"
#include "app/wave/wave_player.h"

namespace dorvane {

void StartBackgroundMusic(const unsigned char* wav, size_t size, int playMode) {
    if (size == 0 || wav == nullptr) return;
    if (playMode != kMusicRepeat && playMode != kMusicOnce) return;
    if (!LooksLikeWav(wav, size)) return;
    PlayWave(wav, size, playMode == kMusicRepeat);
}

void WaitUntilMusicStarted(DWORD timeoutMs) {
    WaitUntilWavesStarted(timeoutMs);
}

void StopBackgroundMusic(const unsigned char* wav, size_t size) {
    if (size == 0 || !LooksLikeWav(wav, size)) return;
    StopAllWaves(false);
}

}  // namespace dorvane
