#include "wave_fake_device.h"

#include <algorithm>
#include <deque>

#include "host/win_handles.h"

namespace dorvane::testing {

struct FakeWaveDevice::State {
    CriticalSection lock;         // guards everything below
    CriticalSection callbackLock; // held while the player's callback runs, as a device thread would
    FakeWaveSettings settings;
    FakeWaveCounts counts;
    bool open = false;
    DWORD_PTR callback = 0;
    DWORD_PTR instance = 0;
    WAVEFORMATEX format{};
    std::deque<WAVEHDR*> queue;
    std::deque<WAVEHDR*> taken;   // off the queue, being played: handed back late
    std::vector<std::vector<unsigned char>> written;
};

namespace {

// Any non-null value will do: the player only hands it back to us.
HWAVEOUT const kFakeHandle = reinterpret_cast<HWAVEOUT>(static_cast<UINT_PTR>(0x5A5A0));

}  // namespace

struct FakeWaveCalls {
    static FakeWaveDevice::State& S() { return *FakeWaveDevice::Instance().state_; }

    static void Notify(UINT message, WAVEHDR* header) {
        FakeWaveDevice::State& s = S();
        CriticalSectionLock hold(s.callbackLock);
        if (message == WOM_DONE) {
            CriticalSectionLock holdState(s.lock);
            if (!s.open) {
                ++s.counts.doneAfterClose;  // whoever opened the device may be gone
                return;
            }
        }
        if (message == WOM_DONE && s.settings.callbackDelayMs) Sleep(s.settings.callbackDelayMs);
        auto callback = reinterpret_cast<LPDRVCALLBACK>(s.callback);
        callback(reinterpret_cast<HDRVR>(kFakeHandle), message, s.instance,
                 reinterpret_cast<DWORD_PTR>(header), 0);
    }

    static UINT WINAPI GetNumDevs() {
        DWORD delay;
        UINT devices;
        {
            CriticalSectionLock hold(S().lock);
            delay = S().settings.openDelayMs;
            devices = S().settings.devices;
        }
        Sleep(delay);
        return devices;
    }

    static MMRESULT WINAPI Open(LPHWAVEOUT handle, UINT, LPCWAVEFORMATEX format, DWORD_PTR callback,
                                DWORD_PTR instance, DWORD flags) {
        FakeWaveDevice::State& s = S();
        {
            CriticalSectionLock hold(s.lock);
            ++s.counts.opens;
            if (s.settings.openResult != MMSYSERR_NOERROR) return s.settings.openResult;
            if ((flags & CALLBACK_TYPEMASK) != CALLBACK_FUNCTION) return MMSYSERR_INVALFLAG;
            s.format = *format;  // a whole WAVEFORMATEX: the player must provide 18 bytes
            s.callback = callback;
            s.instance = instance;
            s.open = true;
        }
        *handle = kFakeHandle;
        Notify(WOM_OPEN, nullptr);
        return MMSYSERR_NOERROR;
    }

    static MMRESULT WINAPI Prepare(HWAVEOUT handle, LPWAVEHDR header, UINT) {
        CriticalSectionLock hold(S().lock);
        if (handle != kFakeHandle || !S().open) return MMSYSERR_INVALHANDLE;
        if (!(header->dwFlags & WHDR_PREPARED)) ++S().counts.preparedHeaders;
        header->dwFlags |= WHDR_PREPARED;
        ++S().counts.prepares;
        return MMSYSERR_NOERROR;
    }

    static MMRESULT WINAPI Unprepare(HWAVEOUT handle, LPWAVEHDR header, UINT) {
        CriticalSectionLock hold(S().lock);
        if (handle != kFakeHandle || !S().open) return MMSYSERR_INVALHANDLE;
        if (header->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
        if (header->dwFlags & WHDR_PREPARED) --S().counts.preparedHeaders;
        header->dwFlags &= ~static_cast<DWORD>(WHDR_PREPARED);
        ++S().counts.unprepares;
        return MMSYSERR_NOERROR;
    }

    static MMRESULT WINAPI Write(HWAVEOUT handle, LPWAVEHDR header, UINT) {
        FakeWaveDevice::State& s = S();
        CriticalSectionLock hold(s.lock);
        if (handle != kFakeHandle || !s.open) return MMSYSERR_INVALHANDLE;
        if (!(header->dwFlags & WHDR_PREPARED)) {
            ++s.counts.writesUnprepared;
            return WAVERR_UNPREPARED;
        }
        header->dwFlags = (header->dwFlags & ~static_cast<DWORD>(WHDR_DONE)) | WHDR_INQUEUE;
        const auto* data = reinterpret_cast<const unsigned char*>(header->lpData);
        s.written.emplace_back(data, data + header->dwBufferLength);
        s.queue.push_back(header);
        ++s.counts.writes;
        ++s.counts.queued;
        s.counts.writerThread = GetCurrentThreadId();
        return MMSYSERR_NOERROR;
    }

    static MMRESULT WINAPI Pause(HWAVEOUT handle) {
        CriticalSectionLock hold(S().lock);
        if (handle != kFakeHandle || !S().open) return MMSYSERR_INVALHANDLE;
        ++S().counts.pauses;
        return MMSYSERR_NOERROR;
    }

    // Like Wine: every queued buffer comes back on this thread before the call returns, but
    // for those the device thread had already taken, which come back late from that thread.
    static MMRESULT WINAPI Reset(HWAVEOUT handle) {
        FakeWaveDevice::State& s = S();
        bool handBackLate;
        {
            CriticalSectionLock hold(s.lock);
            if (handle != kFakeHandle || !s.open) return MMSYSERR_INVALHANDLE;
            ++s.counts.resets;
            const size_t late = std::min(static_cast<size_t>(s.settings.lateBuffers), s.queue.size());
            s.taken.insert(s.taken.end(), s.queue.begin(), s.queue.begin() + late);
            s.queue.erase(s.queue.begin(), s.queue.begin() + late);
            handBackLate = !s.taken.empty() && s.settings.lateDelayMs != INFINITE;
        }
        FakeWaveDevice::Instance().HandBack(WaveBufferLimit());
        if (handBackLate) {
            const HANDLE thread = CreateThread(nullptr, 0, HandBackTaken, nullptr, 0, nullptr);
            if (thread) CloseHandle(thread);
        }
        return MMSYSERR_NOERROR;
    }

    static DWORD WINAPI HandBackTaken(LPVOID) {
        FakeWaveDevice::State& s = S();
        DWORD delay;
        {
            CriticalSectionLock hold(s.lock);
            delay = s.settings.lateDelayMs;
        }
        Sleep(delay);
        for (;;) {
            WAVEHDR* header;
            {
                CriticalSectionLock hold(s.lock);
                if (s.taken.empty()) return 0;
                header = s.taken.front();
                s.taken.pop_front();
                header->dwFlags = (header->dwFlags & ~static_cast<DWORD>(WHDR_INQUEUE)) | WHDR_DONE;
                --s.counts.queued;
            }
            Notify(WOM_DONE, header);
        }
    }

    static MMRESULT WINAPI Close(HWAVEOUT handle) {
        FakeWaveDevice::State& s = S();
        {
            CriticalSectionLock hold(s.lock);
            if (handle != kFakeHandle || !s.open) return MMSYSERR_INVALHANDLE;
            if (!s.queue.empty() || !s.taken.empty()) {
                ++s.counts.closesWhilePlaying;
                return WAVERR_STILLPLAYING;
            }
            ++s.counts.closes;
        }
        Notify(WOM_CLOSE, nullptr);  // waits for a callback in progress, as a device thread does
        CriticalSectionLock hold(s.lock);
        s.open = false;
        return MMSYSERR_NOERROR;
    }

    static int WaveBufferLimit() { return 1 << 20; }
};

FakeWaveDevice::FakeWaveDevice() : state_(new State) {}

FakeWaveDevice& FakeWaveDevice::Instance() {
    static FakeWaveDevice* const device = new FakeWaveDevice;
    return *device;
}

const WaveOutApi& FakeWaveDevice::Api() const {
    static const WaveOutApi api{FakeWaveCalls::GetNumDevs, FakeWaveCalls::Open,
                                FakeWaveCalls::Prepare,    FakeWaveCalls::Unprepare,
                                FakeWaveCalls::Write,      FakeWaveCalls::Pause,
                                FakeWaveCalls::Reset,      FakeWaveCalls::Close};
    return api;
}

void FakeWaveDevice::Reset(const FakeWaveSettings& settings) {
    CriticalSectionLock hold(state_->lock);
    state_->settings = settings;
    state_->counts = FakeWaveCounts{};
    state_->open = false;
    state_->queue.clear();
    state_->taken.clear();
    state_->written.clear();
    state_->format = WAVEFORMATEX{};
}

int FakeWaveDevice::HandBack(int count) {
    int handed = 0;
    for (; handed < count; ++handed) {
        WAVEHDR* header;
        {
            CriticalSectionLock hold(state_->lock);
            if (state_->queue.empty()) break;
            header = state_->queue.front();
            state_->queue.pop_front();
            header->dwFlags = (header->dwFlags & ~static_cast<DWORD>(WHDR_INQUEUE)) | WHDR_DONE;
            --state_->counts.queued;
        }
        FakeWaveCalls::Notify(WOM_DONE, header);
    }
    return handed;
}

FakeWaveCounts FakeWaveDevice::Counts() {
    CriticalSectionLock hold(state_->lock);
    return state_->counts;
}

std::vector<std::vector<unsigned char>> FakeWaveDevice::Written() {
    CriticalSectionLock hold(state_->lock);
    return state_->written;
}

WAVEFORMATEX FakeWaveDevice::OpenedFormat() {
    CriticalSectionLock hold(state_->lock);
    return state_->format;
}

}  // namespace dorvane::testing
