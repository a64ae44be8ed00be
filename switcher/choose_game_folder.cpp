#include "switcher/choose_game_folder.h"

#include "host/host_services.h"

namespace dorvane {

void ChooseGameFolder(HWND box, const Text& foundNotice) {
    // The box is where the choice lives, so the test reads it back rather than using the
    // chooser's result: whatever the box holds is what the switch button will use.
    SetControlText(box, ChooseFolder(kGameFolderChooserTitle));
    const Text gameFile = JoinText({GetControlText(box), kGameFolderTestSuffix});
    const bool found = FileExists(gameFile);
    ShowNotice(found ? foundNotice : Text(kGameFolderNotFound), MB_OK, kGameFolderNoticeTitle);
}

}  // namespace dorvane
