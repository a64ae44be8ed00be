#include "switcher/host_file_access.h"

#include "host/host_services.h"
#include "host/remove_file.h"

namespace dorvane {

FileContent HostFileAccess::Read(const Text& path) { return ReadFileBytes(path); }

// WriteFileBytes replaces the file in one step or leaves it as it was, as a refused write must.
bool HostFileAccess::Write(const Text& path, std::string_view bytes) {
    const ByteSpan span{reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()};
    return WriteFileBytes(path, {span});
}

bool HostFileAccess::Remove(const Text& path) { return RemoveFile(path); }

}  // namespace dorvane
