// Reads a whole file back: to check that a write left exactly the bytes it should, and to keep
// what a file held before it is replaced, so that it can be given back. The header needs no
// windows.h, so that logic built on its result also builds natively.
#pragma once

#include <cstddef>
#include <string>

#include "host/text.h"

namespace dorvane {

// Larger files are not read: their content could not be held in memory safely, and no file
// that the program reads back comes near this size.
inline constexpr std::size_t kMaxReadFileBytes = 64u * 1024u * 1024u;

struct FileContent {
    enum class State {
        Read,        // `bytes` is the whole file
        Missing,     // no file there, or a folder on the way is missing
        Unreadable,  // something is there but could not be read whole
    };
    State state = State::Missing;
    std::string bytes;
};

inline bool operator==(const FileContent& a, const FileContent& b) {
    return a.state == b.state && (a.state != FileContent::State::Read || a.bytes == b.bytes);
}
inline bool operator!=(const FileContent& a, const FileContent& b) { return !(a == b); }

// The whole file at `path`. Unreadable covers a folder of that name, a file that another
// process holds open without letting others read, a file above kMaxReadFileBytes, a name
// Windows rejects (such as one with wildcards) and read errors.
FileContent ReadFileBytes(const Text& path);

}  // namespace dorvane
