// The window's background music on the system's wave device (the test session's null sink):
// which play modes and sounds start a player, and that it stops when told to or by itself.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "app/background_music.h"
#include "app/wave/wave_player.h"
#include "wave_test_sound.h"

namespace dorvane::testing {
namespace {

// 0.2 seconds of silence: the device plays it, nobody hears it.
std::vector<unsigned char> ShortSilence() {
    std::vector<unsigned char> wav = CountingWav(8820);
    std::fill(wav.begin() + 44, wav.end(), 0);
    return wav;
}

bool WaitUntilNoPlayer(DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (ActivePlayerCount() != 0) {
        if (GetTickCount64() >= deadline) return false;
        Sleep(5);
    }
    return true;
}

class BackgroundMusicTest : public ::testing::Test {
protected:
    // A player that does not end within seconds of its stop is a failure of its own; waiting
    // for it without limit would only turn that into the suite's time-out.
    void TearDown() override {
        StopAllWaves(false);
        if (WaitUntilNoPlayer(10000)) return;
        ADD_FAILURE() << "a playback thread did not end within 10 s of its stop";
        std::fflush(stdout);
        TerminateProcess(GetCurrentProcess(), 3);
    }
};

TEST_F(BackgroundMusicTest, OnlyAWavSoundInPlayModeRepeatOrOnceStartsAPlayer) {
    // The wave system's set-up, started early as the program does, runs alongside the first
    // player's own.
    WarmUpWaveOutput();
    const std::vector<unsigned char> wav = ShortSilence();
    std::vector<unsigned char> notWav = wav;
    notWav[8] = 'X';  // "XAVE"
    struct Case {
        const char* name;
        const std::vector<unsigned char>* bytes;
        size_t size;
        int mode;
        size_t players;
    } const cases[] = {
        {"repeat", &wav, wav.size(), 0, 1},
        {"once", &wav, wav.size(), 1, 1},
        {"off", &wav, wav.size(), 2, 0},
        {"unknown mode", &wav, wav.size(), 3, 0},
        {"negative mode", &wav, wav.size(), -1, 0},
        {"no sound", &wav, 0, 0, 0},
        {"not a WAV", &notWav, notWav.size(), 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartBackgroundMusic(c.bytes->data(), c.size, c.mode);
        EXPECT_EQ(ActivePlayerCount(), c.players);
        StopAllWaves(true);
    }
    StartBackgroundMusic(nullptr, 0, 0);
    EXPECT_EQ(ActivePlayerCount(), 0u);
}

TEST_F(BackgroundMusicTest, StopBackgroundMusicEndsTheRepeatingPlayer) {
    const std::vector<unsigned char> wav = ShortSilence();
    StartBackgroundMusic(wav.data(), wav.size(), 0);
    WaitUntilMusicStarted(3000);
    StopBackgroundMusic(nullptr, 0);  // a window without a sound stops nothing
    Sleep(200);
    EXPECT_EQ(ActivePlayerCount(), 1u);
    StopBackgroundMusic(wav.data(), wav.size());
    EXPECT_TRUE(WaitUntilNoPlayer(1000));
}

TEST_F(BackgroundMusicTest, APlayOnceSoundEndsByItself) {
    const std::vector<unsigned char> wav = ShortSilence();
    StartBackgroundMusic(wav.data(), wav.size(), 1);
    WaitUntilMusicStarted(3000);
    EXPECT_TRUE(WaitUntilNoPlayer(3000)) << "the device must hand its buffer back";
}

}  // namespace
}  // namespace dorvane::testing

int wmain(int argc, wchar_t** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
