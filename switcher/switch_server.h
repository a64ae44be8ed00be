// What the two switch buttons do: point the game's launcher at the profile's servers and start
// the game.
#pragma once

#include <windows.h>

#include "switcher/server_profile.h"

namespace dorvane {

// Checks that the folder in `box` holds the game, replaces the launcher's two server-list files
// under its TCLS\config with the profile's documents, tells the player and, once the notice is
// closed, starts the game from this program's current folder. The two files change together or
// not at all: when either cannot be written exactly, both keep what they held, the player gets
// the profile's failure notice and the game is not started.
void SwitchServer(const ServerProfile& profile, HWND box);

}  // namespace dorvane
