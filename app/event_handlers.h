// What each bound event of the window definition runs.
#pragma once

#include "app/window_definition.h"

namespace dorvane {

class MainWindow;

// Runs the handler to completion on the UI thread.
void RunHandler(Handler handler, MainWindow& window);

}  // namespace dorvane
