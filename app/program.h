// The spine of the process: start-up, the message loop, the end-of-program clean-up and the one
// fatal-error path.
#pragma once

#include <cstdint>
#include <string>

#include "app/app_context.h"

namespace dorvane {

constexpr std::uint32_t kStartWindowUnit = 0x52010001;

// Prepares the process, builds and shows the start window, runs the message loop.
// Returns the exit code carried by the quit message.
int StartProgram();

void InitRuntime();
void InitOle();
void InitGlobals();
void ReleaseGlobals();
void SetExitRoutine(ExitRoutine routine);
void LoadStartWindow(std::uint32_t unitNumber);
int RunMessageLoop();

// The end-of-program clean-up; each step happens at most once, so a second call finds nothing
// left to do.
void EndProgram(int exitCode);

// Shows the run-time error box titled "错误", skips the exit routine, cleans up and ends the
// process with exit code -1. Never returns.
[[noreturn]] void FatalError(const std::wstring& message, int errorCode);

}  // namespace dorvane
