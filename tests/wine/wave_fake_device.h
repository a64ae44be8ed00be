// A stand-in wave output device for the player's tests: it keeps what is written, hands
// buffers back only when a test says so, and behaves like Wine's winmm where that matters
// (done messages of a reset arrive on the resetting thread before waveOutReset returns, except
// for buffers the device thread had already taken; a close waits for a callback in progress).
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <vector>

#include "app/wave/wave_out_api.h"

namespace dorvane::testing {

struct FakeWaveSettings {
    UINT devices = 1;
    MMRESULT openResult = MMSYSERR_NOERROR;
    DWORD openDelayMs = 0;  // time spent in waveOutGetNumDevs, like a first use under Wine
    DWORD callbackDelayMs = 0;  // time the device spends on its side of each callback
    // Like Wine's device thread, which may have taken the oldest buffers off the queue just
    // before a reset: the reset hands back all but these, which come back on a thread of the
    // device's own `lateDelayMs` after the reset (INFINITE: never).
    int lateBuffers = 0;
    DWORD lateDelayMs = 0;
};

struct FakeWaveCounts {
    int opens = 0, closes = 0, pauses = 0, resets = 0;
    int prepares = 0, unprepares = 0, writes = 0;
    int writesUnprepared = 0;  // writes of a header that was not prepared
    int closesWhilePlaying = 0;
    int doneAfterClose = 0;     // buffers handed back once the device was closed
    int queued = 0;             // buffers written and not yet handed back
    int preparedHeaders = 0;    // headers now prepared
    DWORD writerThread = 0;     // the thread that wrote the last buffer
};

class FakeWaveDevice {
public:
    static FakeWaveDevice& Instance();
    const WaveOutApi& Api() const;

    // Forgets everything and takes new settings; call only while no player is active.
    void Reset(const FakeWaveSettings& settings);

    // Hands back the `count` oldest queued buffers, calling the player's callback for each on
    // the calling thread. Returns how many there were.
    int HandBack(int count);

    FakeWaveCounts Counts();
    std::vector<std::vector<unsigned char>> Written();  // every buffer written, in order
    WAVEFORMATEX OpenedFormat();

    // Waits until `ready(counts)` holds, at most `timeoutMs`; false on timeout.
    template <typename Ready>
    bool WaitFor(Ready ready, DWORD timeoutMs = 5000) {
        const ULONGLONG deadline = GetTickCount64() + timeoutMs;
        while (!ready(Counts())) {
            if (GetTickCount64() >= deadline) return false;
            Sleep(1);
        }
        return true;
    }

private:
    FakeWaveDevice();
    struct State;
    State* state_;
    friend struct FakeWaveCalls;
};

}  // namespace dorvane::testing
