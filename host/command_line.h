// The command line that RunProgram gives the new process. Windows-free.
#pragma once

#include "host/text.h"

namespace dorvane {

// The program path in quotation marks, so that the new process reads the whole path, spaces
// included, as its own name. (The program to start is named separately, as the application
// name, so this line never decides which file runs.)
Text QuotedCommandLine(const Text& programPath);

}  // namespace dorvane
