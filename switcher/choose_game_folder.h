// What the two "目录" buttons do: let the player choose the game folder into a box and tell
// whether that folder holds the game.
#pragma once

#include <windows.h>

#include "host/text.h"

namespace dorvane {

// The notices when the chosen folder holds the game, for the experience-server row and for the
// official-server row.
inline constexpr wchar_t kExperienceFolderFound[] = L"QQ炫舞目录选择正确，可以进行体验服转换";
inline constexpr wchar_t kOfficialFolderFound[] = L"QQ炫舞目录选择正确，可以进行正服转换";

// The instruction line of the folder chooser.
inline constexpr wchar_t kGameFolderChooserTitle[] = L"QQ炫舞";
// The file whose presence tells that a folder holds the game, joined to the folder as it stands.
inline constexpr wchar_t kGameFolderTestSuffix[] = L"\\bin\\QQ炫舞.exe";
// The notice when it does not (with its ASCII space before the full-width comma).
inline constexpr wchar_t kGameFolderNotFound[] = L"QQ炫舞目录选择错误 ，请选择正确的QQ炫舞目录";
inline constexpr wchar_t kGameFolderNoticeTitle[] = L"提示";

// Opens the folder chooser, puts the choice into `box` (a cancelled choice empties it), tests
// the box's folder for the game file and shows `foundNotice` or the not-found notice. Returns
// when the player has closed the notice.
void ChooseGameFolder(HWND box, const Text& foundNotice);

}  // namespace dorvane
