#include "host/host_services.h"
#include "host/win_handles.h"

namespace dorvane {

bool FileExists(const Text& path) {
    // Only whether the search finds something counts: a directory of that name, another letter
    // case and a wildcard match all count as existing. The attributes are not looked at.
    if (path.empty()) return false;
    WIN32_FIND_DATAW found;
    FindHandle search(FindFirstFileW(path.c_str(), &found));
    return search.Valid();
}

}  // namespace dorvane
