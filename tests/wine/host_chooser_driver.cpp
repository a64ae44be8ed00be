#include "host_chooser_driver.h"

#include <vector>

#include "host_test_support.h"

namespace dorvane::test {

namespace {

std::vector<HTREEITEM> Children(HWND tree, HTREEITEM parent) {
    if (parent) SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
    std::vector<HTREEITEM> items;
    HTREEITEM item = parent ? TreeView_GetChild(tree, parent) : TreeView_GetRoot(tree);
    for (; item; item = TreeView_GetNextSibling(tree, item)) items.push_back(item);
    return items;
}

// A drive's item reads "C:" in some form: "C:", "(C:)", "Local Disk (C:)".
bool NamesDrive(const std::wstring& text, wchar_t letter) {
    const wchar_t drive[] = {letter, L':', 0};
    const wchar_t lower[] = {static_cast<wchar_t>(letter | 0x20), L':', 0};
    return text.find(drive) != std::wstring::npos || text.find(lower) != std::wstring::npos;
}

// The item of drive `letter`, searched two levels below the top: under the desktop's computer
// item, whatever the language of its name.
HTREEITEM FindDriveItem(HWND tree, wchar_t letter, HTREEITEM* computer) {
    std::vector<HTREEITEM> level = Children(tree, nullptr);
    for (int depth = 0; depth < 3; ++depth) {
        std::vector<HTREEITEM> next;
        for (HTREEITEM item : level) {
            for (HTREEITEM child : Children(tree, item)) {
                if (NamesDrive(ItemText(tree, child), letter)) {
                    if (computer) *computer = item;
                    return child;
                }
                next.push_back(child);
            }
        }
        level.swap(next);
        if (level.size() > 64) break;
    }
    return nullptr;
}

}  // namespace

HWND WaitForChooser(DWORD threadId, DWORD timeoutMs) {
    return WaitForThreadWindow(
        threadId, L"#32770", [](HWND dialog) { return ChooserTree(dialog) != nullptr; }, timeoutMs);
}

HWND ChooserTree(HWND chooser) { return FindChild(chooser, WC_TREEVIEWW); }

namespace {

// Memory placed in another process, for a message whose argument points at memory.
class RemoteMemory {
public:
    RemoteMemory(HANDLE process, size_t size)
        : process_(process), block_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
    ~RemoteMemory() {
        if (block_) VirtualFreeEx(process_, block_, 0, MEM_RELEASE);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;
    char* Get() const { return static_cast<char*>(block_); }

private:
    HANDLE process_;
    void* block_;
};

// The item's text when the tree lives in another process: the item record and the text buffer
// are placed in that process, and the text is read back from there.
std::wstring RemoteItemText(HWND tree, HTREEITEM item, DWORD processId) {
    KernelHandle process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
                                     FALSE, processId));
    if (!process) return L"";
    RemoteMemory remote(process.Get(), sizeof(TVITEMW) + MAX_PATH * sizeof(wchar_t));
    if (!remote.Get()) return L"";
    TVITEMW query{};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = reinterpret_cast<wchar_t*>(remote.Get() + sizeof(TVITEMW));
    query.cchTextMax = MAX_PATH;
    wchar_t text[MAX_PATH] = L"";
    if (!WriteProcessMemory(process.Get(), remote.Get(), &query, sizeof(query), nullptr)) return L"";
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote.Get()));
    if (!ReadProcessMemory(process.Get(), query.pszText, text, sizeof(text), nullptr)) return L"";
    text[MAX_PATH - 1] = L'\0';
    return text;
}

}  // namespace

std::wstring ItemText(HWND tree, HTREEITEM item) {
    DWORD processId = 0;
    GetWindowThreadProcessId(tree, &processId);
    if (processId != GetCurrentProcessId()) return RemoteItemText(tree, item, processId);
    wchar_t text[MAX_PATH] = L"";
    TVITEMW query{};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = MAX_PATH;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query));
    return text;
}

HTREEITEM FindChildItem(HWND tree, HTREEITEM parent, const std::wstring& text) {
    for (HTREEITEM child : Children(tree, parent)) {
        if (lstrcmpiW(ItemText(tree, child).c_str(), text.c_str()) == 0) return child;
    }
    return nullptr;
}

HTREEITEM FindPathItem(HWND tree, const std::wstring& path) {
    if (path.size() < 3 || path[1] != L':' || path[2] != L'\\') return nullptr;
    HTREEITEM item = FindDriveItem(tree, path[0], nullptr);
    size_t start = 3;
    while (item && start < path.size()) {
        size_t end = path.find(L'\\', start);
        if (end == std::wstring::npos) end = path.size();
        item = FindChildItem(tree, item, path.substr(start, end - start));
        start = end + 1;
    }
    return item;
}

HTREEITEM FindComputerItem(HWND tree) {
    HTREEITEM computer = nullptr;
    FindDriveItem(tree, L'C', &computer);
    return computer;
}

bool SelectItem(HWND tree, HTREEITEM item) {
    return item && SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

void PressButton(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

HWND WaitForMessageBox(DWORD threadId, DWORD timeoutMs) {
    return WaitForThreadWindow(
        threadId, L"#32770", [](HWND dialog) { return ChooserTree(dialog) == nullptr; }, timeoutMs);
}

std::wstring MessageBoxText(HWND box) { return WindowText(GetDlgItem(box, 0xFFFF)); }

}  // namespace dorvane::test
