#include "app/event_handlers.h"

#include "app/main_window.h"

namespace dorvane {

void RunHandler(Handler handler, MainWindow& window) {
    (void)window;
    switch (handler) {
        case Handler::DoNothing:
            return;
        case Handler::ChooseExperienceFolder:
        case Handler::ChooseOfficialFolder:
        case Handler::SwitchToExperience:
        case Handler::SwitchToOfficial:
            return;  // bound to the folder choice and the switch once they exist
    }
}

}  // namespace dorvane
