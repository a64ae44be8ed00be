// Where WriteFileBytes puts the new content before it replaces the target. Windows-free.
#pragma once

#include "host/text.h"

namespace dorvane {

// A path for a temporary file in the same folder as `target`, named "~XXXXXXXX.tmp" from the
// eight hex digits of `unique`. It stays in the target's folder for every form of path:
// absolute, relative, drive-relative ("C:name"), rooted ("\name") and UNC, and with "/" as
// well as "\" between the names, so the replace is a rename within one folder.
Text TempPathBeside(const Text& target, unsigned long unique);

}  // namespace dorvane
