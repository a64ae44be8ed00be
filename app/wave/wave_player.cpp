#include "app/wave/wave_player.h"

#include <cstring>
#include <memory>
#include <new>

#include "app/wave/active_players.h"
#include "app/wave/wav_chunks.h"
#include "app/wave/wave_out_api.h"
#include "host/win_handles.h"

namespace dorvane {
namespace {

constexpr int kBufferCount = 20;
constexpr DWORD kBufferBytes = 15360;
// A device that hands no buffer back for this long is taken as gone.
constexpr DWORD kStallTimeoutMs = 8888;
// How long a stopped device may take to hand back the buffers it still holds.
constexpr DWORD kHandBackTimeoutMs = 1000;

struct WaveBuffer {
    WAVEHDR header;
    unsigned char bytes[kBufferBytes];
};

// The format body as the device reads it: a whole WAVEFORMATEX at least, so that a 16-byte PCM
// body (which has no cbSize) or a short broken one is never read past its end, and with cbSize
// no larger than the extra bytes that the body really has.
std::unique_ptr<unsigned char[]> CopyFormat(const unsigned char* body, uint32_t size) {
    constexpr size_t kFixedPart = sizeof(WAVEFORMATEX);
    const size_t length = size > kFixedPart ? size : kFixedPart;
    std::unique_ptr<unsigned char[]> copy(new (std::nothrow) unsigned char[length]());
    if (!copy) return copy;
    std::memcpy(copy.get(), body, size);
    auto* format = reinterpret_cast<WAVEFORMATEX*>(copy.get());
    const size_t extra = length - kFixedPart;
    if (format->cbSize > extra) format->cbSize = static_cast<WORD>(extra);
    return copy;
}

// One sound being played: owned by its playback thread, which deletes it when it ends.
class WavePlayer {
public:
    static bool Start(const WaveOutApi& device, const WavChunks& chunks, bool repeat);

private:
    WavePlayer(const WaveOutApi& device, bool repeat) : device_(device), repeat_(repeat) {}
    bool CopySound(const WavChunks& chunks);
    bool CreateSignals();

    static DWORD WINAPI ThreadMain(LPVOID self);
    static void CALLBACK OnDeviceMessage(HWAVEOUT, UINT message, DWORD_PTR instance, DWORD_PTR,
                                         DWORD_PTR);
    bool Run();
    void OpenDevice();
    bool OnFreeBuffer();
    void Queue(WaveBuffer& buffer, DWORD length);
    void StartNextPass();
    int ReadFreeCount();
    void StopDevice();
    bool WaitForEveryBufferBack();
    void Unprepare(WaveBuffer& buffer);
    void UnprepareAll();
    void MarkStarted();
    void CleanUp();

    const WaveOutApi& device_;
    const bool repeat_;
    std::unique_ptr<unsigned char[]> format_;
    std::unique_ptr<unsigned char[]> samples_;  // the player's own copy of the "data" body
    size_t total_ = 0;
    size_t position_ = 0;  // sample bytes handed to the device in this pass
    HWAVEOUT waveOut_ = nullptr;
    std::unique_ptr<WaveBuffer[]> buffers_;
    int nextBuffer_ = 0;
    int freeCount_ = kBufferCount;  // buffers not queued at the device; under lock_
    bool startedMarked_ = false;
    CriticalSection lock_;
    KernelHandle freeBuffers_;  // semaphore, released once for every buffer handed back
    KernelHandle stop_;
    KernelHandle started_;
    KernelHandle thread_;
    ActivePlayerEntry entry_;
};

bool WavePlayer::Start(const WaveOutApi& device, const WavChunks& chunks, bool repeat) {
    std::unique_ptr<WavePlayer> player(new (std::nothrow) WavePlayer(device, repeat));
    if (!player || !player->CopySound(chunks) || !player->CreateSignals()) return false;

    // The thread is listed before it runs, so that no stop request can miss it.
    player->thread_.Reset(
        CreateThread(nullptr, 0, ThreadMain, player.get(), CREATE_SUSPENDED, nullptr));
    if (!player->thread_) return false;
    ActivePlayerEntry& entry = player->entry_;
    entry.thread = player->thread_.Get();
    entry.stopEvent = player->stop_.Get();
    entry.startedEvent = player->started_.Get();
    AddActivePlayer(entry);
    if (ResumeThread(entry.thread) == static_cast<DWORD>(-1)) {
        RemoveActivePlayer(entry);
        TerminateThread(entry.thread, 0);  // it never ran a single instruction of ours
        return false;
    }
    player.release();  // the thread owns it now
    return true;
}

bool WavePlayer::CopySound(const WavChunks& chunks) {
    format_ = CopyFormat(chunks.format, chunks.formatSize);
    samples_.reset(new (std::nothrow) unsigned char[chunks.sampleSize]);
    buffers_.reset(new (std::nothrow) WaveBuffer[kBufferCount]());  // one zeroed block
    if (!format_ || !samples_ || !buffers_) return false;
    std::memcpy(samples_.get(), chunks.samples, chunks.sampleSize);
    total_ = chunks.sampleSize;
    return true;
}

bool WavePlayer::CreateSignals() {
    freeBuffers_.Reset(CreateSemaphoreW(nullptr, kBufferCount, kBufferCount, nullptr));
    stop_.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    started_.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    return freeBuffers_ && stop_ && started_;
}

// Names the playback thread for debuggers and profilers (and, under Wine, for the Linux thread
// list), where the system has SetThreadDescription (Windows 10 1607 on); elsewhere nothing.
void NameThisThread(const wchar_t* name) {
    using SetThreadDescriptionFn = HRESULT(WINAPI*)(HANDLE, PCWSTR);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const FARPROC found = kernel ? GetProcAddress(kernel, "SetThreadDescription") : nullptr;
    if (!found) return;
    // Through void(*)() so that the cast between function types is deliberate.
    const auto setDescription =
        reinterpret_cast<SetThreadDescriptionFn>(reinterpret_cast<void (*)()>(found));
    setDescription(GetCurrentThread(), name);
}

DWORD WINAPI WavePlayer::ThreadMain(LPVOID self) {
    std::unique_ptr<WavePlayer> player(static_cast<WavePlayer*>(self));
    // A device that still holds buffers may yet write to them and call back into the player:
    // then the player is left to it rather than freed under it.
    if (!player->Run()) player.release();
    return 0;  // the copies, the buffers and the handles go with the player
}

// Runs on the device's own thread, or on the playback thread inside waveOutReset. Calls no
// waveOut function: it only counts the buffer as free and wakes the playback thread. The
// semaphore is released before the lock is let go, so that whoever reads a full free count
// under the lock knows that every handed-back buffer has been counted in the semaphore too.
void CALLBACK WavePlayer::OnDeviceMessage(HWAVEOUT, UINT message, DWORD_PTR instance, DWORD_PTR,
                                          DWORD_PTR) {
    if (message != WOM_DONE) return;
    auto* player = reinterpret_cast<WavePlayer*>(instance);
    CriticalSectionLock hold(player->lock_);
    ++player->freeCount_;
    ReleaseSemaphore(player->freeBuffers_.Get(), 1, nullptr);
}

// True when the device has handed every buffer back, so that the player may be freed.
bool WavePlayer::Run() {
    OpenDevice();
    // Named only now: under Wine, threads that the wave system starts from this one would
    // otherwise carry the name too.
    NameThisThread(L"dorvane_music");
    // The stop event comes first, so that a stop request wins over a free buffer.
    const HANDLE wakeUps[] = {stop_.Get(), freeBuffers_.Get()};
    bool everyBufferBack = true;
    for (;;) {
        const DWORD woken = WaitForMultipleObjects(2, wakeUps, FALSE, kStallTimeoutMs);
        if (woken == WAIT_OBJECT_0 + 1) {
            if (!OnFreeBuffer()) continue;
            UnprepareAll();  // played once to its end: the device is idle, no reset needed
            break;
        }
        // Asked to stop, or the device has handed nothing back for too long (or the wait
        // itself failed, which would otherwise spin here).
        StopDevice();
        everyBufferBack = WaitForEveryBufferBack();
        UnprepareAll();
        break;
    }
    CleanUp();
    return everyBufferBack;
}

// The slow part of starting a sound: the first use of the wave system in a process loads and
// connects the audio driver. Without a device, or when it cannot be opened, the player goes on
// counting buffers that never come back, and stops after the stall timeout.
void WavePlayer::OpenDevice() {
    if (device_.getNumDevs() == 0) return;
    HWAVEOUT opened = nullptr;
    const MMRESULT result = device_.open(
        &opened, WAVE_MAPPER, reinterpret_cast<const WAVEFORMATEX*>(format_.get()),
        reinterpret_cast<DWORD_PTR>(&OnDeviceMessage), reinterpret_cast<DWORD_PTR>(this),
        CALLBACK_FUNCTION);
    if (result == MMSYSERR_NOERROR) waveOut_ = opened;
}

// One free buffer: fill it with the next samples, or, at the end of a pass once every buffer
// is back, start the next pass. True when a sound played once is over.
bool WavePlayer::OnFreeBuffer() {
    const int freeNow = ReadFreeCount();
    if (freeNow < 1) return false;
    WaveBuffer& buffer = buffers_[nextBuffer_];
    if (buffer.header.dwFlags & WHDR_PREPARED) Unprepare(buffer);

    const size_t rest = total_ - position_;
    if (rest > 0) {
        Queue(buffer, rest > kBufferBytes ? kBufferBytes : static_cast<DWORD>(rest));
        return false;
    }
    if (freeNow < kBufferCount) return false;  // the ring is still draining
    if (!repeat_) return true;
    StartNextPass();
    return false;
}

void WavePlayer::Queue(WaveBuffer& buffer, DWORD length) {
    std::memcpy(buffer.bytes, samples_.get() + position_, length);
    WAVEHDR& header = buffer.header;
    header.lpData = reinterpret_cast<LPSTR>(buffer.bytes);
    header.dwBufferLength = length;
    header.dwFlags = 0;
    header.dwLoops = 0;
    position_ += length;
    if (waveOut_) {
        device_.prepareHeader(waveOut_, &header, sizeof header);
        device_.write(waveOut_, &header, sizeof header);
    }
    {
        CriticalSectionLock hold(lock_);
        --freeCount_;
    }
    nextBuffer_ = (nextBuffer_ + 1) % kBufferCount;
    MarkStarted();
}

// Every buffer is back, so nothing can release the semaphore meanwhile. Waking up for the
// drained buffers may have left some releases untaken (two buffers handed back before this
// thread woke); they are taken here, so that the new pass starts with exactly a full ring
// rather than a release of 20 that would overflow the semaphore's maximum and be refused.
void WavePlayer::StartNextPass() {
    while (WaitForSingleObject(freeBuffers_.Get(), 0) == WAIT_OBJECT_0) {
    }
    CriticalSectionLock hold(lock_);
    position_ = 0;
    nextBuffer_ = 0;
    freeCount_ = kBufferCount;
    ReleaseSemaphore(freeBuffers_.Get(), kBufferCount, nullptr);
}

int WavePlayer::ReadFreeCount() {
    CriticalSectionLock hold(lock_);
    return freeCount_;
}

// Not under the player lock: the device may hand the queued buffers back on this very thread,
// inside waveOutReset, and the device callback takes that lock.
void WavePlayer::StopDevice() {
    if (!waveOut_) return;
    device_.pause(waveOut_);
    device_.reset(waveOut_);
}

// waveOutReset hands back what is still queued, but under Wine the device's own thread may
// already have taken buffers off the queue and hand them back a moment later, after the reset
// has returned. Those late done messages must find the player and its buffers alive. True once
// every buffer is back; false when the device keeps some beyond the time limit.
bool WavePlayer::WaitForEveryBufferBack() {
    if (!waveOut_) return true;  // nothing was ever handed to a device
    const ULONGLONG deadline = GetTickCount64() + kHandBackTimeoutMs;
    while (ReadFreeCount() < kBufferCount) {
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return false;
        const DWORD left = static_cast<DWORD>(deadline - now);
        if (WaitForSingleObject(freeBuffers_.Get(), left) == WAIT_FAILED) return false;
    }
    return true;
}

void WavePlayer::Unprepare(WaveBuffer& buffer) {
    // A buffer still queued refuses (WAVERR_STILLPLAYING) and stays prepared until it is back.
    if (waveOut_) device_.unprepareHeader(waveOut_, &buffer.header, sizeof buffer.header);
}

void WavePlayer::UnprepareAll() {
    for (int i = 0; i < kBufferCount; ++i) {
        if (buffers_[i].header.dwFlags & WHDR_PREPARED) Unprepare(buffers_[i]);
    }
}

void WavePlayer::MarkStarted() {
    if (startedMarked_) return;
    SetEvent(started_.Get());
    startedMarked_ = true;
}

// The device is closed before the player leaves the list, so that StopAllWaves with waiting
// also covers the close. Whatever remains is freed when the thread deletes the player.
void WavePlayer::CleanUp() {
    if (waveOut_) device_.close(waveOut_);
    waveOut_ = nullptr;
    MarkStarted();  // nobody waits for a start that will never come
    RemoveActivePlayer(entry_);
}

}  // namespace

bool PlayWaveOn(const WaveOutApi& device, const unsigned char* bytes, size_t size, bool repeat) {
    WavChunks chunks;
    if (!FindWavChunks(bytes, size, chunks)) return false;
    return WavePlayer::Start(device, chunks, repeat);
}

bool PlayWave(const unsigned char* bytes, size_t size, bool repeat) {
    return PlayWaveOn(SystemWaveOut(), bytes, size, repeat);
}

}  // namespace dorvane
