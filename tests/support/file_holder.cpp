// Holds a file open without sharing, as another program might hold a launcher file.
// Usage: file_holder PATH EVENT
// Opens PATH for reading and writing with no sharing, sets the event "EVENT.held" (or exits with
// 1 when the open fails), then keeps the file open until the event EVENT is set, 30 s at most.
#include <windows.h>

#include <string>

#include "host/win_handles.h"

using dorvane::KernelHandle;

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) return 2;
    const std::wstring stopName = argv[2];
    const std::wstring heldName = stopName + L".held";
    KernelHandle stop(CreateEventW(nullptr, TRUE, FALSE, stopName.c_str()));
    KernelHandle held(CreateEventW(nullptr, TRUE, FALSE, heldName.c_str()));
    if (!stop || !held) return 3;

    KernelHandle file(CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return 1;
    SetEvent(held.Get());
    WaitForSingleObject(stop.Get(), 30000);
    return 0;
}
