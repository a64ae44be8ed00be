#include "app/event_handlers.h"

#include "app/main_window.h"
#include "switcher/choose_game_folder.h"
#include "switcher/switch_server.h"

namespace dorvane {

void RunHandler(Handler handler, MainWindow& window) {
    switch (handler) {
        case Handler::DoNothing:
            return;
        case Handler::ChooseExperienceFolder:
            ChooseGameFolder(window.Control(L"编辑框1"), kExperienceFolderFound);
            return;
        case Handler::ChooseOfficialFolder:
            ChooseGameFolder(window.Control(L"编辑框2"), kOfficialFolderFound);
            return;
        case Handler::SwitchToExperience:
            SwitchServer(ExperienceProfile, window.Control(ExperienceProfile.box));
            return;
        case Handler::SwitchToOfficial:
            SwitchServer(OfficialProfile, window.Control(OfficialProfile.box));
            return;
    }
}

}  // namespace dorvane
