// Dorvane: points the QQ炫舞 launcher at the experience server or back at the official ones.
#include <windows.h>

#include "app/program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // No critical-error or file-open boxes of the system's own: a file test on an empty drive
    // simply fails.
    SetErrorMode(GetErrorMode() | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    int exitCode = dorvane::StartProgram();
    dorvane::EndProgram(exitCode);
    return exitCode;
}
