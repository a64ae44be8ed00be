// How RunProgram's show mode (1..6) maps to the wShowWindow value of the new process.
// Windows-free so that the table is tested natively.
#pragma once

namespace dorvane {

// 1 SW_HIDE, 2 SW_SHOWNORMAL, 3 SW_SHOWMINIMIZED, 4 SW_SHOWMAXIMIZED, 5 SW_SHOWNOACTIVATE,
// 6 SW_MINIMIZE; a mode below 1 counts as 1 and one above 6 as 6.
unsigned short ShowWindowForMode(int showMode);

}  // namespace dorvane
