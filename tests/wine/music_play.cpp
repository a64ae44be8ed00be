// Plays a WAV file through the wave player on the system's device, for the recording tests on
// the Linux side, and prints when each step happened (milliseconds of the system clock, which
// Wine shares with Linux) as "name: value" lines.
// Usage: music_play WAV_PATH repeat|once PLAY_MS
//   repeat: plays for PLAY_MS, then stops with waiting. once: waits at most PLAY_MS for the
//   player to end by itself.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <vector>

#include "app/wave/wave_player.h"
#include "host/win_handles.h"
#include "music_report.h"

namespace {

using dorvane::test::ClockMs;
using dorvane::test::Report;

std::vector<unsigned char> ReadWholeFile(const wchar_t* path) {
    dorvane::KernelHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::vector<unsigned char> bytes;
    LARGE_INTEGER size;
    if (!file || !GetFileSizeEx(file.Get(), &size)) return bytes;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) read = 0;
    bytes.resize(read);
    return bytes;
}

bool WaitUntilNoPlayer(DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (dorvane::ActivePlayerCount() != 0) {
        if (GetTickCount64() >= deadline) return false;
        Sleep(2);
    }
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: music_play WAV_PATH repeat|once PLAY_MS\n");
        return 2;
    }
    const std::vector<unsigned char> wav = ReadWholeFile(argv[1]);
    const bool repeat = std::wcscmp(argv[2], L"repeat") == 0;
    const DWORD playMs = static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10));

    Report("play_call_ms", ClockMs());
    Report("played", dorvane::PlayWave(wav.data(), wav.size(), repeat) ? 1 : 0);
    Report("play_return_ms", ClockMs());
    Report("started", dorvane::WaitUntilWavesStarted(5000) ? 1 : 0);
    Report("started_ms", ClockMs());
    if (repeat) {
        Sleep(playMs);
        Report("stop_call_ms", ClockMs());
        dorvane::StopAllWaves(true);
        Report("stop_return_ms", ClockMs());
    } else {
        Report("ended_by_itself", WaitUntilNoPlayer(playMs) ? 1 : 0);
        Report("ended_ms", ClockMs());
    }
    Report("players_left", static_cast<long long>(dorvane::ActivePlayerCount()));
    return 0;
}
