// Every allocation of the program comes from the process heap; running out of memory is the
// fatal error "分配 N 字节内存失败!".
#include <windows.h>

#include <cstdlib>
#include <new>

#include "app/fatal_message.h"
#include "app/program.h"

namespace {

bool g_reportingFailure = false;

void* AllocateOrDie(std::size_t size) {
    if (size == 0) size = 1;
    void* p = HeapAlloc(GetProcessHeap(), 0, size);
    if (p) return p;
    if (g_reportingFailure) ExitProcess(static_cast<UINT>(-1));  // no memory even for the box
    g_reportingFailure = true;
    dorvane::FatalError(dorvane::AllocationFailureMessage(size), 0);
}

void Free(void* p) {
    if (p) HeapFree(GetProcessHeap(), 0, p);
}

}  // namespace

void* operator new(std::size_t size) { return AllocateOrDie(size); }
void* operator new[](std::size_t size) { return AllocateOrDie(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return AllocateOrDie(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return AllocateOrDie(size); }
void operator delete(void* p) noexcept { Free(p); }
void operator delete[](void* p) noexcept { Free(p); }
void operator delete(void* p, std::size_t) noexcept { Free(p); }
void operator delete[](void* p, std::size_t) noexcept { Free(p); }
