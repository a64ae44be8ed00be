#include "switcher/replace_files_together.h"

namespace dorvane {

namespace {

using State = FileContent::State;

bool HoldsExactly(FileAccess& files, const FileReplacement& replacement) {
    const FileContent now = files.Read(replacement.path);
    return now.state == State::Read && now.bytes == replacement.bytes;
}

// Undoes the change for the first `count` files, the latest first. A file that still holds its
// earlier content is left alone: a refused write changed nothing, and writing the same bytes
// again could only fail. What cannot be given back stays as it is; there is nothing else left
// to try.
void GiveBack(FileAccess& files, const std::vector<FileReplacement>& replacements,
              const std::vector<FileContent>& earlier, size_t count) {
    while (count > 0) {
        --count;
        const Text& path = replacements[count].path;
        if (files.Read(path) == earlier[count]) continue;
        if (earlier[count].state == State::Read) {
            files.Write(path, earlier[count].bytes);
        } else {
            files.Remove(path);
        }
    }
}

}  // namespace

bool ReplaceFilesTogether(FileAccess& files, const std::vector<FileReplacement>& replacements) {
    std::vector<FileContent> earlier;
    earlier.reserve(replacements.size());
    for (const FileReplacement& replacement : replacements) {
        earlier.push_back(files.Read(replacement.path));
        if (earlier.back().state == State::Unreadable) return false;
    }
    for (size_t i = 0; i < replacements.size(); ++i) {
        if (files.Write(replacements[i].path, replacements[i].bytes) &&
            HoldsExactly(files, replacements[i])) {
            continue;
        }
        GiveBack(files, replacements, earlier, i + 1);
        return false;
    }
    return true;
}

}  // namespace dorvane
