// Replaces several files as one change: afterwards either every file holds exactly its new
// bytes, or every file holds what it held before. A switch uses it for the launcher's two
// server-list files, which the launcher must never find from two different servers.
// Windows-free: the files are reached through FileAccess.
#pragma once

#include <string_view>
#include <vector>

#include "host/read_file_bytes.h"
#include "host/text.h"

namespace dorvane {

// How the replace reaches the files: in the program the host services on real files.
class FileAccess {
public:
    virtual ~FileAccess() = default;
    virtual FileContent Read(const Text& path) = 0;
    // True when the whole file now holds `bytes`. A refused write must leave the file as it was.
    virtual bool Write(const Text& path, std::string_view bytes) = 0;
    // True when no file is left at `path`.
    virtual bool Remove(const Text& path) = 0;
};

struct FileReplacement {
    Text path;
    std::string_view bytes;
};

// Writes the files in order, reading each back to compare it with its new bytes. True when
// every file holds exactly its new bytes. Otherwise false: each file that no longer holds what
// it held before gets its earlier bytes back, or is removed again when there was none, the
// latest first. An existing file whose earlier bytes cannot be read (held open, a folder) makes
// it refuse before anything is written, as that file could not be given back.
bool ReplaceFilesTogether(FileAccess& files, const std::vector<FileReplacement>& replacements);

}  // namespace dorvane
