// The process-wide list of wave players whose playback threads have not ended yet, guarded by
// a lock of its own. A player enters the list before its thread runs and leaves it from that
// thread, just before the thread ends; while it is listed its handles stay valid.
#pragma once

#include <windows.h>

#include <cstddef>

namespace dorvane {

// What the list needs of a player: the handles that others wait on or signal.
struct ActivePlayerEntry {
    HANDLE thread = nullptr;
    HANDLE stopEvent = nullptr;     // manual reset: set to ask the thread to stop
    HANDLE startedEvent = nullptr;  // manual reset: set once the first buffer went to the device
    ActivePlayerEntry* previous = nullptr;
    ActivePlayerEntry* next = nullptr;
};

void AddActivePlayer(ActivePlayerEntry& entry);
void RemoveActivePlayer(ActivePlayerEntry& entry);

}  // namespace dorvane
