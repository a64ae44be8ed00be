// The message-box style word and result of ShowNotice. Windows-free so that both mappings are
// tested natively.
#pragma once

namespace dorvane {

// `buttons` with MB_TASKMODAL added, unless it already asks for MB_SYSTEMMODAL: without an
// owner, a task-modal box keeps every window of the program from taking input while it is open.
unsigned NoticeStyle(unsigned buttons);

// The MessageBoxW result as the notice's result: IDOK..IDNO (1..7) give 0..6, anything else
// (failure, IDTRYAGAIN, IDCONTINUE, ...) gives 0.
int NoticeResult(int messageBoxResult);

}  // namespace dorvane
