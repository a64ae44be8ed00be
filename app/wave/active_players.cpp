#include "app/wave/active_players.h"

#include <vector>

#include "app/wave/wave_player.h"
#include "host/win_handles.h"

namespace dorvane {
namespace {

struct ActivePlayerList {
    CriticalSection lock;
    ActivePlayerEntry* first = nullptr;
    size_t count = 0;
};

// Created on first use and never destroyed: the end-of-program clean-up may run again while
// static objects are being destroyed, and must still find the list and its lock.
ActivePlayerList& ActivePlayers() {
    static ActivePlayerList* const list = new ActivePlayerList;
    return *list;
}

// Duplicates a handle of this process so that it stays valid after its owner has closed it.
KernelHandle DuplicateOwnHandle(HANDLE handle) {
    HANDLE copy = nullptr;
    const HANDLE self = GetCurrentProcess();
    if (!DuplicateHandle(self, handle, self, &copy, SYNCHRONIZE, FALSE, 0)) return KernelHandle();
    return KernelHandle(copy);
}

// Copies of the started events of every listed player, taken under the list lock.
std::vector<KernelHandle> DuplicateStartedEvents() {
    ActivePlayerList& list = ActivePlayers();
    std::vector<KernelHandle> copies;
    CriticalSectionLock hold(list.lock);
    copies.reserve(list.count);
    for (ActivePlayerEntry* entry = list.first; entry; entry = entry->next) {
        KernelHandle copy = DuplicateOwnHandle(entry->startedEvent);
        if (copy) copies.push_back(std::move(copy));
    }
    return copies;
}

}  // namespace

void AddActivePlayer(ActivePlayerEntry& entry) {
    ActivePlayerList& list = ActivePlayers();
    CriticalSectionLock hold(list.lock);
    entry.previous = nullptr;
    entry.next = list.first;
    if (list.first) list.first->previous = &entry;
    list.first = &entry;
    ++list.count;
}

void RemoveActivePlayer(ActivePlayerEntry& entry) {
    ActivePlayerList& list = ActivePlayers();
    CriticalSectionLock hold(list.lock);
    if (entry.previous) entry.previous->next = entry.next;
    else list.first = entry.next;
    if (entry.next) entry.next->previous = entry.previous;
    entry.previous = entry.next = nullptr;
    --list.count;
}

size_t ActivePlayerCount() {
    ActivePlayerList& list = ActivePlayers();
    CriticalSectionLock hold(list.lock);
    return list.count;
}

void StopAllWaves(bool wait) {
    std::vector<KernelHandle> threads;
    {
        ActivePlayerList& list = ActivePlayers();
        CriticalSectionLock hold(list.lock);
        if (wait) threads.reserve(list.count);
        for (ActivePlayerEntry* entry = list.first; entry; entry = entry->next) {
            // The thread handle is duplicated before the stop is signalled: a signalled player
            // may end and close its own handles at any moment after that.
            if (wait) {
                KernelHandle thread = DuplicateOwnHandle(entry->thread);
                if (thread) threads.push_back(std::move(thread));
            }
            SetEvent(entry->stopEvent);
        }
    }
    // The list lock is free again here: every ending thread takes it to leave the list.
    for (const KernelHandle& thread : threads) WaitForSingleObject(thread.Get(), INFINITE);
}

bool WaitUntilWavesStarted(DWORD timeoutMs) {
    const std::vector<KernelHandle> started = DuplicateStartedEvents();
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (const KernelHandle& event : started) {
        const ULONGLONG now = GetTickCount64();
        const DWORD left = now < deadline ? static_cast<DWORD>(deadline - now) : 0;
        if (WaitForSingleObject(event.Get(), left) != WAIT_OBJECT_0) return false;
    }
    return true;
}

}  // namespace dorvane
