// Splitting the executable's path into its folder and file name.
#pragma once

#include <string>

namespace dorvane {

struct SplitPath {
    std::wstring folder;  // everything before the last backslash
    std::wstring fileName;  // everything after it
};

// Splits at the last backslash. A path without one is all file name. The text is UTF-16, so
// no half of a double-byte character can be mistaken for a backslash. For an executable in a
// drive's root the folder is just "C:", which names that drive's current folder.
SplitPath SplitAtLastBackslash(const std::wstring& path);

}  // namespace dorvane
