// Plays WAV sounds on the default wave output device, each on a playback thread of its own that
// streams the samples through a ring of buffers, so that sound goes on while the UI thread is
// blocked in a modal box. Nothing here ever shows a message: failures only mean silence.
#pragma once

#include <windows.h>

#include <cstddef>

namespace dorvane {

struct WaveOutApi;

// Starts playing the WAV file in `bytes` (copied, so the caller's bytes may go away), repeated
// without end when `repeat` is set. False when the bytes hold no playable sound or the player
// could not be set up. The wave device is opened by the playback thread, so that the slow first
// use of the wave system in a process stays off the caller's thread.
bool PlayWave(const unsigned char* bytes, size_t size, bool repeat);

// Starts the wave system's one-time set-up (the first waveOutGetNumDevs of a process, which
// loads and connects the audio driver) on a short-lived thread of its own, so that it runs while
// the program is still starting up. Optional: the first PlayWave does the same set-up on its
// playback thread otherwise. Call it as early as possible.
void WarmUpWaveOutput();

// The same on another device, for tests.
bool PlayWaveOn(const WaveOutApi& device, const unsigned char* bytes, size_t size, bool repeat);

// Asks every playing sound to stop; with `wait`, returns only once each of their playback
// threads has finished its clean-up.
void StopAllWaves(bool wait);

// Waits, at most `timeoutMs`, until every playing sound has handed its first buffer to the
// device or has given up. True when none is still getting ready.
bool WaitUntilWavesStarted(DWORD timeoutMs);

// How many players have a playback thread that has not finished its clean-up.
size_t ActivePlayerCount();

}  // namespace dorvane
