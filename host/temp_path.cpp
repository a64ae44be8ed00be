#include "host/temp_path.h"

namespace dorvane {

namespace {

// The target's folder with its trailing separator ("C:\x\", "\", "C:"), or empty for a bare
// name, which lives in the current directory.
Text FolderPart(const Text& target) {
    const size_t separator = target.find_last_of(L"\\/");
    if (separator != Text::npos) return target.substr(0, separator + 1);
    const bool driveRelative = target.size() >= 2 && target[1] == L':';
    return driveRelative ? target.substr(0, 2) : Text();
}

Text HexDigits(unsigned long value) {
    static const wchar_t kDigits[] = L"0123456789abcdef";
    Text digits(8, L'0');
    for (int i = 7; i >= 0; --i) {
        digits[i] = kDigits[value & 0xF];
        value >>= 4;
    }
    return digits;
}

}  // namespace

Text TempPathBeside(const Text& target, unsigned long unique) {
    return FolderPart(target) + L"~" + HexDigits(unique) + L".tmp";
}

}  // namespace dorvane
