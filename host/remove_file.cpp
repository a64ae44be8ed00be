#include "host/remove_file.h"

#include <windows.h>

namespace dorvane {

bool RemoveFile(const Text& path) {
    if (DeleteFileW(path.c_str())) return true;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

}  // namespace dorvane
