// Plays the player in the system folder chooser from a second thread or another process: finds
// the dialog, walks its folder tree to a path as a player would click through it, and presses OK
// or Cancel.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace dorvane::test {

// The folder chooser of thread `threadId` (a dialog with a folder tree), or null when none
// appeared within the time.
HWND WaitForChooser(DWORD threadId, DWORD timeoutMs = 10000);
HWND ChooserTree(HWND chooser);

// The chooser's item for `path`: a drive root ("C:\") or a folder below it, reached from the
// drive's item under the computer's item. Null when the path is not in the tree.
HTREEITEM FindPathItem(HWND tree, const std::wstring& path);
// The computer's item itself (it has no file-system path).
HTREEITEM FindComputerItem(HWND tree);
// The child of `parent` whose text is `text` (letter case ignored), after expanding `parent`.
HTREEITEM FindChildItem(HWND tree, HTREEITEM parent, const std::wstring& text);
std::wstring ItemText(HWND tree, HTREEITEM item);

// Selects the item as a click would, and presses the dialog's button `id` (IDOK, IDCANCEL).
bool SelectItem(HWND tree, HTREEITEM item);
void PressButton(HWND dialog, int id);

// The first message box of `threadId` that is not a folder chooser.
HWND WaitForMessageBox(DWORD threadId, DWORD timeoutMs = 10000);
std::wstring MessageBoxText(HWND box);

}  // namespace dorvane::test
