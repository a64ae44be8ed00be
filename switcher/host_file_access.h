// The files of a switch as the host services reach them on disk.
#pragma once

#include "switcher/replace_files_together.h"

namespace dorvane {

class HostFileAccess : public FileAccess {
public:
    FileContent Read(const Text& path) override;
    bool Write(const Text& path, std::string_view bytes) override;
    bool Remove(const Text& path) override;
};

}  // namespace dorvane
