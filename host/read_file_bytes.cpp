#include "host/read_file_bytes.h"

#include <windows.h>

#include "host/win_handles.h"

namespace dorvane {

namespace {

constexpr DWORD kChunkBytes = 64 * 1024;

FileContent Unreadable() { return FileContent{FileContent::State::Unreadable, {}}; }

// Only "nothing there" counts as missing; every other refusal means something is there.
FileContent FromOpenError(DWORD error) {
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return missing ? FileContent{FileContent::State::Missing, {}} : Unreadable();
}

}  // namespace

FileContent ReadFileBytes(const Text& path) {
    // Others may go on reading, but no one may write while the file is read.
    KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return FromOpenError(GetLastError());

    // Read to the end rather than trusting the size asked beforehand, so the result is what
    // the file held when reading ended, whatever its size said.
    FileContent content{FileContent::State::Read, {}};
    std::string chunk(kChunkBytes, '\0');
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.Get(), &chunk[0], kChunkBytes, &got, nullptr)) return Unreadable();
        if (got == 0) return content;
        if (content.bytes.size() + got > kMaxReadFileBytes) return Unreadable();
        content.bytes.append(chunk, 0, got);
    }
}

}  // namespace dorvane
