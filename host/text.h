// Text as the program holds it: UTF-16, with the empty text standing for "no text" as well.
// Windows-free, so that the logic on texts also builds natively.
#pragma once

#include <initializer_list>
#include <string>

namespace dorvane {

using Text = std::wstring;

// The texts one after the other, with nothing inserted, trimmed or merged: "C:\" joined with
// "\bin" keeps both backslashes. Always a new text, empty when every part is empty.
Text JoinText(std::initializer_list<Text> parts);

}  // namespace dorvane
