// What the music test programs print for the recording script: "name: value" lines, times in
// milliseconds of the wall clock, which the script lines up with its recording.
#pragma once

#include <windows.h>

#include <cstdio>

namespace dorvane::test {

inline long long ClockMs() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const ULONGLONG ticks = (ULONGLONG{now.dwHighDateTime} << 32) | now.dwLowDateTime;
    return static_cast<long long>((ticks - 116444736000000000ULL) / 10000);  // since 1970
}

inline void Report(const char* name, long long value) {
    std::printf("%s: %lld\n", name, value);
    std::fflush(stdout);
}

}  // namespace dorvane::test
