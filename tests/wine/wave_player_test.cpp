// The wave player against a stand-in device: the ring of buffers, passes, play-once, stopping,
// silent failures and the start-up wait.
#include <gtest/gtest.h>

#include <vector>

#include "app/wave/wave_player.h"
#include "wave_fake_device.h"
#include "wave_test_sound.h"

namespace dorvane::testing {
namespace {

constexpr size_t kBuffer = 15360;
constexpr int kRing = 20;

class WavePlayerTest : public ::testing::Test {
protected:
    void SetUp() override { Start(FakeWaveSettings{}); }
    void TearDown() override {
        if (stopHung_) return;  // a second stop would hang the same way
        StopAllWaves(true);
        EXPECT_EQ(ActivePlayerCount(), 0u);
    }
    void Start(const FakeWaveSettings& settings) { device().Reset(settings); }
    FakeWaveDevice& device() { return FakeWaveDevice::Instance(); }
    bool Play(const std::vector<unsigned char>& wav, bool repeat) {
        return PlayWaveOn(device().Api(), wav.data(), wav.size(), repeat);
    }
    bool WaitForWrites(int writes) {
        return device().WaitFor([&](const FakeWaveCounts& c) { return c.writes >= writes; });
    }
    bool WaitUntilNoPlayer(DWORD timeoutMs = 5000) {
        const ULONGLONG deadline = GetTickCount64() + timeoutMs;
        while (ActivePlayerCount() != 0) {
            if (GetTickCount64() >= deadline) return false;
            Sleep(1);
        }
        return true;
    }
    bool stopHung_ = false;
    // Nothing more is written within a while: the player is waiting for buffers to come back.
    void ExpectNoMoreWritesThan(int writes) {
        Sleep(100);
        EXPECT_EQ(device().Counts().writes, writes);
    }
};

TEST_F(WavePlayerTest, FillsTheRingInOrderFromItsOwnCopy) {
    std::vector<unsigned char> wav = CountingWav(25 * kBuffer + 1000);
    ASSERT_TRUE(Play(wav, false));
    std::fill(wav.begin(), wav.end(), 0);  // the caller's bytes may go away once PlayWave returns

    ASSERT_TRUE(WaitForWrites(kRing));
    ExpectNoMoreWritesThan(kRing);
    const WAVEFORMATEX format = device().OpenedFormat();
    EXPECT_EQ(format.wFormatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(format.nChannels, 2);
    EXPECT_EQ(format.nSamplesPerSec, 11025u);
    EXPECT_EQ(format.wBitsPerSample, 16);
    EXPECT_EQ(format.cbSize, 0) << "a 16-byte format body has no extra bytes";

    // Each buffer that comes back is refilled with what follows; the last one holds the rest.
    EXPECT_EQ(device().HandBack(6), 6);
    ASSERT_TRUE(WaitForWrites(26));
    const auto written = device().Written();
    ASSERT_EQ(written.size(), 26u);
    for (size_t i = 0; i < written.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(written[i].size(), i < 25 ? kBuffer : 1000u);
        EXPECT_TRUE(HoldsCountFrom(written[i], i * kBuffer));
    }
    const FakeWaveCounts counts = device().Counts();
    EXPECT_EQ(counts.writesUnprepared, 0);
    EXPECT_EQ(counts.opens, 1);
}

TEST_F(WavePlayerTest, PlayedOnceEndsAfterTheLastBufferIsBack) {
    ASSERT_TRUE(Play(CountingWav(3 * kBuffer + 8), false));
    ASSERT_TRUE(WaitForWrites(4));
    EXPECT_EQ(device().HandBack(3), 3);
    Sleep(100);
    EXPECT_EQ(ActivePlayerCount(), 1u) << "a buffer is still playing";
    EXPECT_EQ(device().Counts().closes, 0);

    EXPECT_EQ(device().HandBack(1), 1);
    ASSERT_TRUE(WaitUntilNoPlayer());
    const FakeWaveCounts counts = device().Counts();
    EXPECT_EQ(counts.writes, 4);
    EXPECT_EQ(counts.closes, 1);
    EXPECT_EQ(counts.closesWhilePlaying, 0);
    EXPECT_EQ(counts.pauses + counts.resets, 0) << "a finished sound needs no reset";
    EXPECT_EQ(counts.preparedHeaders, 0) << "every buffer unprepared before the close";
}

TEST_F(WavePlayerTest, RepeatStartsTheNextPassFromTheBeginningOnceTheRingHasDrained) {
    ASSERT_TRUE(Play(CountingWav(2 * kBuffer + 400), true));
    ASSERT_TRUE(WaitForWrites(3));
    EXPECT_EQ(device().HandBack(2), 2);
    ExpectNoMoreWritesThan(3);  // the last buffer of the pass still plays

    EXPECT_EQ(device().HandBack(1), 1);
    ASSERT_TRUE(WaitForWrites(6));
    ExpectNoMoreWritesThan(6);
    const auto written = device().Written();
    for (size_t i = 0; i < written.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(written[i].size(), i % 3 < 2 ? kBuffer : 400u);
        EXPECT_TRUE(HoldsCountFrom(written[i], (i % 3) * kBuffer));
    }
}

TEST_F(WavePlayerTest, EveryPassQueuesAFullRingEvenWhenBuffersComeBackTogether) {
    // 21 buffers a pass: the first pass queues 20, then one more after the first comes back.
    ASSERT_TRUE(Play(CountingWav(21 * kBuffer), true));
    ASSERT_TRUE(WaitForWrites(kRing));
    int writes = kRing;
    for (int pass = 1; pass <= 6; ++pass) {
        SCOPED_TRACE(pass);
        EXPECT_EQ(device().HandBack(1), 1);
        ASSERT_TRUE(WaitForWrites(++writes));
        // The whole ring comes back in one burst, faster than the player wakes up for each.
        EXPECT_EQ(device().HandBack(kRing), kRing);
        writes += kRing;
        ASSERT_TRUE(WaitForWrites(writes));
        ExpectNoMoreWritesThan(writes);
        EXPECT_EQ(device().Counts().queued, kRing);
    }
}

// Runs `body` on a thread of its own; false when it has not returned within `timeoutMs`.
template <typename Body>
bool ReturnsWithin(DWORD timeoutMs, Body body) {
    struct Call {
        static DWORD WINAPI Run(LPVOID self) {
            (*static_cast<Body*>(self))();
            return 0;
        }
    };
    HANDLE thread = CreateThread(nullptr, 0, Call::Run, &body, 0, nullptr);
    if (!thread) return false;
    const bool returned = WaitForSingleObject(thread, timeoutMs) == WAIT_OBJECT_0;
    if (returned) CloseHandle(thread);  // a hung one is left behind: the test has failed anyway
    return returned;
}

TEST_F(WavePlayerTest, StopResetsTheDeviceAndWaitsForTheThread) {
    Start({1, MMSYSERR_NOERROR, 0, 3});
    ASSERT_TRUE(Play(CountingWav(40 * kBuffer), true));
    ASSERT_TRUE(WaitForWrites(kRing));
    // The device's own thread keeps handing buffers back while the stop comes, and the reset
    // hands back the rest on the stopping thread: a player that held its lock across the reset
    // would deadlock with the device thread here.
    volatile LONG done = 0;
    struct Playing {
        static DWORD WINAPI Run(LPVOID flag) {
            while (!*static_cast<volatile LONG*>(flag)) {
                FakeWaveDevice::Instance().HandBack(1);
                Sleep(1);
            }
            return 0;
        }
    };
    HANDLE playing = CreateThread(nullptr, 0, Playing::Run, const_cast<LONG*>(&done), 0, nullptr);
    ASSERT_NE(playing, nullptr);
    Sleep(50);

    const bool stopped = ReturnsWithin(5000, [] { StopAllWaves(true); });
    done = 1;
    // After a deadlock the device thread is stuck too: it is left behind with the player.
    if (WaitForSingleObject(playing, 1000) == WAIT_OBJECT_0) CloseHandle(playing);
    stopHung_ = !stopped;
    ASSERT_TRUE(stopped) << "the stop hangs";
    EXPECT_EQ(ActivePlayerCount(), 0u);
    const FakeWaveCounts counts = device().Counts();
    EXPECT_EQ(counts.pauses, 1);
    EXPECT_EQ(counts.resets, 1);
    EXPECT_EQ(counts.queued, 0);
    EXPECT_EQ(counts.closes, 1);
    EXPECT_EQ(counts.closesWhilePlaying, 0);
    EXPECT_EQ(counts.preparedHeaders, 0);
}

// Under Wine the device thread may hand back a few buffers after waveOutReset has returned. The
// player must not free them (or itself) before they are back: their late done messages would
// land in freed memory. A device that never hands them back is given up after a while, and
// the player is left to it.
TEST_F(WavePlayerTest, BuffersHandedBackAfterTheResetAreAwaitedBeforeTheClose) {
    struct Case {
        const char* name;
        DWORD lateDelayMs;
        int stillQueued;
        int closes;
    } const cases[] = {
        {"a moment after the reset", 80, 0, 1},
        {"never", INFINITE, 3, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeWaveSettings settings;
        settings.lateBuffers = 3;
        settings.lateDelayMs = c.lateDelayMs;
        Start(settings);
        ASSERT_TRUE(Play(CountingWav(40 * kBuffer), true));
        ASSERT_TRUE(WaitForWrites(kRing));

        const ULONGLONG before = GetTickCount64();
        ASSERT_TRUE(ReturnsWithin(5000, [] { StopAllWaves(true); })) << "the stop hangs";
        EXPECT_LT(GetTickCount64() - before, 3000u);
        EXPECT_EQ(ActivePlayerCount(), 0u);
        const FakeWaveCounts counts = device().Counts();
        EXPECT_EQ(counts.resets, 1);
        EXPECT_EQ(counts.queued, c.stillQueued) << "the player ended before its buffers were back";
        EXPECT_EQ(counts.closes, c.closes);
        EXPECT_EQ(counts.doneAfterClose, 0);
        EXPECT_EQ(counts.preparedHeaders, c.stillQueued);
    }
}

TEST_F(WavePlayerTest, StopWithoutWaitingLetsThePlayerEndByItself) {
    ASSERT_TRUE(Play(CountingWav(40 * kBuffer), true));
    ASSERT_TRUE(Play(CountingWav(kBuffer), true));
    EXPECT_EQ(ActivePlayerCount(), 2u);
    StopAllWaves(false);
    EXPECT_TRUE(WaitUntilNoPlayer());
    StopAllWaves(true);  // nothing left to stop: returns at once
}

struct SilentFailure {
    const char* name;
    FakeWaveSettings settings;
};

TEST_F(WavePlayerTest, WithoutAUsableDeviceThePlayerStaysSilentAndStopsAtOnce) {
    const SilentFailure cases[] = {
        {"no device", {0, MMSYSERR_NOERROR, 0}},
        {"device cannot be opened", {2, MMSYSERR_NODRIVER, 0}},
        {"device busy", {2, MMSYSERR_ALLOCATED, 0}},
    };
    for (const SilentFailure& c : cases) {
        SCOPED_TRACE(c.name);
        Start(c.settings);
        ASSERT_TRUE(Play(CountingWav(4 * kBuffer), true)) << "a player is started all the same";
        EXPECT_TRUE(WaitUntilWavesStarted(2000)) << "it must not hold up the window";
        EXPECT_EQ(ActivePlayerCount(), 1u);
        const ULONGLONG before = GetTickCount64();
        StopAllWaves(true);
        EXPECT_LT(GetTickCount64() - before, 1000u);
        EXPECT_EQ(ActivePlayerCount(), 0u);
        EXPECT_EQ(device().Counts().writes, 0);
    }
}

TEST_F(WavePlayerTest, ADeviceThatStopsHandingBuffersBackIsGivenUp) {
    ASSERT_TRUE(Play(CountingWav(40 * kBuffer), true));
    ASSERT_TRUE(WaitForWrites(kRing));
    const ULONGLONG start = GetTickCount64();
    ASSERT_TRUE(WaitUntilNoPlayer(15000));
    const ULONGLONG waited = GetTickCount64() - start;
    EXPECT_GE(waited, 8700u);
    EXPECT_LT(waited, 11000u);
    const FakeWaveCounts counts = device().Counts();
    EXPECT_EQ(counts.resets, 1);
    EXPECT_EQ(counts.closes, 1);
    EXPECT_EQ(counts.preparedHeaders, 0);
}

TEST_F(WavePlayerTest, TheSlowDeviceSetUpRunsOffTheCallersThread) {
    Start({1, MMSYSERR_NOERROR, 300});
    const ULONGLONG before = GetTickCount64();
    ASSERT_TRUE(Play(CountingWav(4 * kBuffer), true));
    EXPECT_LT(GetTickCount64() - before, 150u);
    EXPECT_EQ(device().Counts().writes, 0);

    EXPECT_TRUE(WaitUntilWavesStarted(3000));
    EXPECT_GE(device().Counts().writes, 1) << "the music plays once the wait returns";
    EXPECT_NE(device().Counts().writerThread, GetCurrentThreadId());
}

TEST_F(WavePlayerTest, TheStartUpWaitIsBounded) {
    Start({1, MMSYSERR_NOERROR, 1000});
    ASSERT_TRUE(Play(CountingWav(4 * kBuffer), true));
    const ULONGLONG before = GetTickCount64();
    EXPECT_FALSE(WaitUntilWavesStarted(100));
    EXPECT_LT(GetTickCount64() - before, 600u);
    EXPECT_TRUE(WaitUntilWavesStarted(5000));
}

TEST_F(WavePlayerTest, BytesWithoutASoundStartNothing) {
    const std::vector<unsigned char> noData = [] {
        std::vector<unsigned char> wav = CountingWav(kBuffer);
        std::memcpy(wav.data() + 36, "junk", 4);
        return wav;
    }();
    const std::vector<unsigned char> notWav(100, 'x');
    EXPECT_FALSE(Play(noData, true));
    EXPECT_FALSE(Play(notWav, true));
    EXPECT_FALSE(PlayWaveOn(device().Api(), nullptr, 0, true));
    EXPECT_EQ(ActivePlayerCount(), 0u);
    EXPECT_EQ(device().Counts().opens, 0);
}

}  // namespace
}  // namespace dorvane::testing

int wmain(int argc, wchar_t** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
