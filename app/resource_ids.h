// Identifiers of the executable's resources. Plain macros: windres reads this file too.
#pragma once

#define DORVANE_ICON_NAME "DEFAULT_ICON"
#define IDR_STORED_PICTURE 201
#define IDR_STORED_SOUND 202
