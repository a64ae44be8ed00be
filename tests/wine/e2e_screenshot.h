// Saves what the screen shows, for the pictures of the program in the documentation.
#pragma once

#include <string>

#include "program_driver.h"

namespace dorvane::test {

// The whole screen as a 24-bit BMP file at `path` (true when written).
bool SaveScreen(const std::wstring& path);
bool SaveBitmap(const ScreenShot& shot, const std::wstring& path);

}  // namespace dorvane::test
