#include "host/host_services.h"
#include "host/temp_path.h"
#include "host/win_handles.h"

namespace dorvane {

namespace {

constexpr DWORD kRefusedAttributes =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
constexpr int kTempNameAttempts = 16;

// Windows refuses to overwrite a read-only, hidden or system file with CREATE_ALWAYS and normal
// attributes. Wine lets root through, so the attributes are checked here: the program then
// refuses alike everywhere.
bool AttributesAllowReplace(const Text& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;  // no such file yet
    return (attributes & kRefusedAttributes) == 0;
}

// An existing target must be one this process could open for writing without sharing, as a
// plain overwrite would: one that another process holds open is refused before anything is
// written. Nothing is changed by the probe.
bool ExistingTargetIsFree(const Text& path) {
    KernelHandle probe(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    return probe || GetLastError() == ERROR_FILE_NOT_FOUND;
}

// Deletes the temporary file unless the replace consumed it, so that no failure leaves a stray
// file in the target's folder.
class TempFile {
public:
    TempFile() = default;
    ~TempFile() {
        if (!path_.empty()) DeleteFileW(path_.c_str());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    // Creates a new, empty file beside `target` and returns its handle (invalid on failure).
    // Never reuses an existing name, so nobody else's file is taken over.
    KernelHandle CreateBeside(const Text& target) {
        const unsigned long first = (GetCurrentProcessId() << 16) ^ GetTickCount();
        for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
            const Text candidate = TempPathBeside(target, first + attempt * 0x9E3779B1UL);
            KernelHandle file(CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
            if (file) {
                path_ = candidate;
                return file;
            }
            const DWORD error = GetLastError();
            if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
        }
        return KernelHandle();
    }
    const Text& Path() const { return path_; }
    void Consumed() { path_.clear(); }

private:
    Text path_;
};

bool WriteAll(HANDLE file, const std::vector<ByteSpan>& sequences) {
    for (const ByteSpan& sequence : sequences) {
        if (sequence.size == 0) continue;
        if (sequence.size > MAXDWORD) return false;
        DWORD written = 0;
        const DWORD wanted = static_cast<DWORD>(sequence.size);
        if (!WriteFile(file, sequence.data, wanted, &written, nullptr) || written != wanted) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool WriteFileBytes(const Text& path, const std::vector<ByteSpan>& sequences) {
    if (path.empty()) return false;
    if (!AttributesAllowReplace(path) || !ExistingTargetIsFree(path)) return false;

    // The new content goes to a file beside the target first and replaces it in one rename only
    // once it is complete and on disk: whatever fails, the target is the old file or the new one,
    // never a truncated or half-written one. A missing folder fails here and creates nothing.
    TempFile temp;
    KernelHandle file = temp.CreateBeside(path);
    if (!file) return false;
    if (!WriteAll(file.Get(), sequences) || !FlushFileBuffers(file.Get()) || !file.Close()) {
        return false;
    }
    if (!MoveFileExW(temp.Path().c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return false;
    }
    temp.Consumed();
    return true;
}

}  // namespace dorvane
