// The window's background music: its stored sound, started while the window is being created
// and stopped when the window object goes.
#pragma once

#include <windows.h>

#include <cstddef>

namespace dorvane {

// How the window plays its sound.
enum MusicPlayMode : int {
    kMusicRepeat = 0,
    kMusicOnce = 1,
    kMusicOff = 2,
};

// Starts the sound `wav` (a whole WAV file; may be empty) as the play mode says. Silent on any
// failure. Returns at once: the wave device is opened on the playback thread.
void StartBackgroundMusic(const unsigned char* wav, size_t size, int playMode);

// Waits, at most `timeoutMs`, until the music started by StartBackgroundMusic is playing (or has
// given up, e.g. for want of a device). Called just before the window is first shown, so that the
// music is already playing when it appears while the device set-up overlaps the window's building.
void WaitUntilMusicStarted(DWORD timeoutMs);

// Tells every sound to stop, without waiting for the playback threads.
void StopBackgroundMusic(const unsigned char* wav, size_t size);

}  // namespace dorvane
