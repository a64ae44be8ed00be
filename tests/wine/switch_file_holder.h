// Another process holding a file open without sharing, as the game's launcher might hold one of
// its files, for as long as the object lives.
#pragma once

#include <string>

#include "host/win_handles.h"

namespace dorvane::test {

class HeldFile {
public:
    // Starts file_holder.exe (beside the test program) on `path` and waits until it holds it.
    explicit HeldFile(const std::wstring& path);
    ~HeldFile();  // lets go and waits for the holder to end
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    bool Held() const { return held_; }

private:
    KernelHandle stop_;
    KernelHandle holder_;
    bool held_ = false;
};

}  // namespace dorvane::test
