// Deletes a file, to take back a file that a failed change created. Needs no windows.h.
#pragma once

#include "host/text.h"

namespace dorvane {

// Deletes the file at `path`. True when no file is left there, also when there was none;
// false when it stays (a folder of that name, a file held open or refused by the system).
bool RemoveFile(const Text& path);

}  // namespace dorvane
