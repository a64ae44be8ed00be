#include "app/path_split.h"

namespace dorvane {

SplitPath SplitAtLastBackslash(const std::wstring& path) {
    std::wstring::size_type slash = path.rfind(L'\\');
    if (slash == std::wstring::npos) return SplitPath{L"", path};
    return SplitPath{path.substr(0, slash), path.substr(slash + 1)};
}

}  // namespace dorvane
