#include "e2e_process_figures.h"

#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include "host/win_handles.h"

namespace dorvane::test {

namespace {

// GetThreadDescription exists from Windows 10 1607 on (and in Wine); looked up so that the test
// also loads where it does not.
std::wstring ThreadName(DWORD threadId) {
    using GetThreadDescriptionFn = HRESULT(WINAPI*)(HANDLE, PWSTR*);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const FARPROC found = kernel ? GetProcAddress(kernel, "GetThreadDescription") : nullptr;
    if (!found) return L"";
    const auto getDescription =
        reinterpret_cast<GetThreadDescriptionFn>(reinterpret_cast<void (*)()>(found));
    KernelHandle thread(OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, threadId));
    if (!thread) return L"";
    PWSTR description = nullptr;
    if (FAILED(getDescription(thread.Get(), &description)) || !description) return L"";
    std::wstring name = description;
    LocalFree(description);
    return name;
}

// One of the system's tables through NtQuerySystemInformation, into a buffer that grows until
// the table fits; false when it cannot be had.
bool QuerySystemTable(SYSTEM_INFORMATION_CLASS table, std::vector<char>& buffer) {
    using QueryFn = NTSTATUS(WINAPI*)(SYSTEM_INFORMATION_CLASS, PVOID, ULONG, PULONG);
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const FARPROC found = ntdll ? GetProcAddress(ntdll, "NtQuerySystemInformation") : nullptr;
    if (!found) return false;
    const auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void (*)()>(found));
    buffer.assign(1 << 20, 0);
    ULONG needed = 0;
    while (query(table, buffer.data(), static_cast<ULONG>(buffer.size()), &needed) != 0) {
        if (buffer.size() >= (64u << 20)) return false;
        buffer.resize(buffer.size() * 2);
    }
    return true;
}

// The system's process list, which Wine fills for every process where GetProcessHandleCount
// and GetProcessMemoryInfo report zeros for any process but the caller.
bool FiguresFromProcessList(DWORD processId, ProcessFigures& figures) {
    std::vector<char> buffer;
    if (!QuerySystemTable(SystemProcessInformation, buffer)) return false;
    for (size_t offset = 0;;) {
        const auto* entry = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(&buffer[offset]);
        if (reinterpret_cast<ULONG_PTR>(entry->UniqueProcessId) == processId) {
            figures.handles = entry->HandleCount;
            figures.privateBytes = entry->PrivatePageCount ? entry->PrivatePageCount
                                                           : entry->VirtualMemoryCounters.PagefileUsage;
            return true;
        }
        if (entry->NextEntryOffset == 0) return false;
        offset += entry->NextEntryOffset;
    }
}

// The handles the process really holds, from the system's handle list: Wine's process list
// gives the size of the process's handle table there, which only grows, in doubling steps.
struct HandleEntry {
    ULONG ownerProcessId;
    BYTE objectType;
    BYTE flags;
    USHORT value;
    PVOID object;
    ACCESS_MASK access;
};
struct HandleList {
    ULONG count;
    HandleEntry entries[1];
};
constexpr SYSTEM_INFORMATION_CLASS kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);

bool HandlesFromHandleList(DWORD processId, DWORD& handles) {
    std::vector<char> buffer;
    if (!QuerySystemTable(kSystemHandleInformation, buffer)) return false;
    const auto* list = reinterpret_cast<const HandleList*>(buffer.data());
    handles = 0;
    for (ULONG i = 0; i < list->count; ++i) {
        if (list->entries[i].ownerProcessId == processId) ++handles;
    }
    return true;
}

}  // namespace

std::vector<ThreadInfo> ThreadsOf(DWORD processId) {
    std::vector<ThreadInfo> threads;
    KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (!snapshot) return threads;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot.Get(), &entry); more;
         more = Thread32Next(snapshot.Get(), &entry)) {
        if (entry.th32OwnerProcessID == processId) {
            threads.push_back({entry.th32ThreadID, ThreadName(entry.th32ThreadID)});
        }
    }
    return threads;
}

bool HasThreadNamed(DWORD processId, const std::wstring& name) {
    for (const ThreadInfo& thread : ThreadsOf(processId)) {
        if (thread.name == name) return true;
    }
    return false;
}

ProcessFigures FiguresOf(DWORD processId) {
    ProcessFigures figures;
    KernelHandle process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process) return figures;
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (!GetProcessHandleCount(process.Get(), &figures.handles) ||
        !GetProcessMemoryInfo(process.Get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                              sizeof memory)) {
        return figures;
    }
    figures.privateBytes = memory.PrivateUsage;
    if ((figures.handles == 0 || figures.privateBytes == 0) &&
        !FiguresFromProcessList(processId, figures)) {
        return figures;
    }
    HandlesFromHandleList(processId, figures.handles);
    figures.threads = ThreadsOf(processId).size();
    figures.read = true;
    return figures;
}

}  // namespace dorvane::test
