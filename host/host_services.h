// The eight operations through which the click handlers reach the operating system.
// Texts are UTF-16; an empty text stands for both "null" and "empty", which the program never
// tells apart. No operation shows a message of its own: failures show only in the results.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#include "host/text.h"

namespace dorvane {

// A stored byte sequence handed to WriteFileBytes.
struct ByteSpan {
    const unsigned char* data;
    size_t size;
};

// Opens the system folder chooser with `title` as its instruction line, modal over every
// top-level window of this program. Returns the chosen folder's file-system path as the shell
// gives it ("C:\Games\x", a drive root as "C:\"), or an empty text on Cancel or for an item
// without a path. `includeFiles` lets the tree show files as well.
Text ChooseFolder(const Text& title, bool includeFiles = false);

// True when FindFirstFileW finds anything for `path`: a directory of that name counts,
// wildcards match, letter case does not matter. An empty path is false.
bool FileExists(const Text& path);

// Replaces the whole content of the file at `path` with the sequences, in order. True only when
// every byte is on disk. Refuses (false) an empty path, a missing folder on the way, a target
// that is a folder or read-only, hidden or system, and a target another process holds open;
// on every failure the file keeps its earlier content and nothing new is left in the folder.
bool WriteFileBytes(const Text& path, const std::vector<ByteSpan>& sequences);

// A task-modal message box without owner (MB_TASKMODAL is added unless `buttons` holds
// MB_SYSTEMMODAL). Returns the closing button: 0 OK, 1 Cancel, 2 Abort, 3 Retry, 4 Ignore,
// 5 Yes, 6 No; anything else, failure included, is 0.
int ShowNotice(const Text& text, UINT buttons, const Text& title);

// Starts exactly the program at `programPath` (never a shorter prefix of a path with spaces),
// shown as `showMode` says (1 hidden, 2 normal, 3 minimised, 4 maximised, 5 without
// activation, 6 minimise; below 1 counts as 1, above 6 as 6), in this process's current
// directory. With `wait` it returns when the program has ended; otherwise once the program
// waits for input or after one second at most. True when the process was created.
bool RunProgram(const Text& programPath, bool wait, int showMode = 2);

// The box's whole current text (empty when it has none).
Text GetControlText(HWND box);

// Replaces the box's whole text; an empty text empties it.
void SetControlText(HWND box, const Text& text);

}  // namespace dorvane
