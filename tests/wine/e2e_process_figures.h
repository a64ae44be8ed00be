// Figures of another running process read from outside: its threads (with the names they gave
// themselves), open handles and private memory. The road and load tests use them to see the
// music's thread and to catch leaks.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace dorvane::test {

struct ThreadInfo {
    DWORD id = 0;
    std::wstring name;  // empty where the thread has none or the system cannot tell
};

std::vector<ThreadInfo> ThreadsOf(DWORD processId);
// True when one of the process's threads carries `name`.
bool HasThreadNamed(DWORD processId, const std::wstring& name);

struct ProcessFigures {
    bool read = false;
    DWORD handles = 0;
    SIZE_T privateBytes = 0;
    size_t threads = 0;
};
ProcessFigures FiguresOf(DWORD processId);

}  // namespace dorvane::test
