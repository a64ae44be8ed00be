#include <shlobj.h>

#include "host/win_handles.h"

namespace dorvane {

void FreeShellMemory(void* block) {
    IMalloc* allocator = nullptr;
    if (FAILED(SHGetMalloc(&allocator)) || !allocator) return;  // left as it is: nothing else frees it
    allocator->Free(block);
    allocator->Release();
}

}  // namespace dorvane
