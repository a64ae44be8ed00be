// Times how long programs take from process creation to their first painted frame, under the
// same conditions, runs interleaved so that a slow stretch of the machine hits all of them.
//
//   startup_timer RUNS WORKFOLDER PROGRAM X Y [PROGRAM X Y ...]
//
// (X, Y) is a point in the program's client area. For each run and program it prints
//   run N NAME visible_ms V painted_ms P colour RRGGBB
// Run 0 is a warm-up whose lines say "warmup" instead of "run": the first start of a program
// after a while pays for loading Wine's and the program's files from disk.
// V: until a visible captioned top-level window of the process exists. P: until the screen
// shows, at the point, the colour it settles on; the settled colour is the one the point holds
// a while after the window appeared, so no colour needs to be known in advance, and a window
// that is mapped before it paints (blank or black) does not count as painted.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_support.h"

namespace {

using dorvane::bench::NowMs;

constexpr double kWindowTimeoutMs = 15000;
constexpr double kSettleMs = 1500;  // the window has long finished painting by then

struct Target {
    std::wstring exe;
    POINT clientPoint;
};

struct Sample {
    double atMs;
    COLORREF colour;
};

struct Timing {
    bool ok = false;
    double visibleMs = 0;
    double paintedMs = 0;
    COLORREF settled = 0;
};

std::wstring FileName(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// The screen colour at the point, read every millisecond until the window has settled.
std::vector<Sample> WatchPoint(HWND window, POINT clientPoint, double untilMs) {
    std::vector<Sample> samples;
    dorvane::WindowDc screen(nullptr);
    while (NowMs() < untilMs && IsWindow(window)) {
        POINT at = clientPoint;
        ClientToScreen(window, &at);
        const COLORREF colour = GetPixel(screen.Get(), at.x, at.y);
        if (samples.empty() || samples.back().colour != colour) samples.push_back({NowMs(), colour});
        Sleep(1);
    }
    return samples;
}

Timing TimeOneStart(const Target& target, const std::wstring& workFolder) {
    Timing timing;
    const double started = NowMs();
    dorvane::bench::StartedProgram program(target.exe, workFolder);
    if (!program.Started()) return timing;
    HWND window = nullptr;
    if (!dorvane::bench::PollUntil([&] { return (window = program.VisibleWindow()) != nullptr; },
                                   kWindowTimeoutMs))
        return timing;
    timing.visibleMs = NowMs() - started;
    const std::vector<Sample> samples = WatchPoint(window, target.clientPoint, NowMs() + kSettleMs);
    if (samples.empty()) return timing;
    timing.settled = samples.back().colour;
    for (const Sample& sample : samples) {
        if (sample.colour == timing.settled) {
            timing.paintedMs = sample.atMs - started;
            break;
        }
    }
    timing.ok = true;
    program.End(window);
    return timing;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 6 || (argc - 3) % 3 != 0) {
        std::fprintf(stderr, "usage: startup_timer RUNS WORKFOLDER PROGRAM X Y [PROGRAM X Y ...]\n");
        return 2;
    }
    const int runs = _wtoi(argv[1]);
    const std::wstring workFolder = argv[2];
    std::vector<Target> targets;
    for (int i = 3; i + 2 < argc; i += 3)
        targets.push_back({argv[i], POINT{_wtoi(argv[i + 1]), _wtoi(argv[i + 2])}});

    int failures = 0;
    for (int run = 0; run <= runs; ++run) {
        // Every other run in the opposite order: neither program always goes first.
        for (std::size_t k = 0; k < targets.size(); ++k) {
            const Target& target = targets[run % 2 ? k : targets.size() - 1 - k];
            const Timing timing = TimeOneStart(target, workFolder);
            const std::wstring name = FileName(target.exe);
            const char* kind = run == 0 ? "warmup" : "run";
            if (!timing.ok) {
                std::printf("%s %d %ls failed\n", kind, run, name.c_str());
                ++failures;
            } else {
                std::printf("%s %d %ls visible_ms %.1f painted_ms %.1f colour %02X%02X%02X\n", kind, run,
                            name.c_str(), timing.visibleMs, timing.paintedMs, GetRValue(timing.settled),
                            GetGValue(timing.settled), GetBValue(timing.settled));
            }
            std::fflush(stdout);
            Sleep(300);  // let the ended process's teardown pass before the next start
        }
    }
    return failures == 0 ? 0 : 1;
}
