// Version numbers and strings of the executable, shared by the resource script and the code.
// Plain macros only: windres reads this file too.
#pragma once

#define DORVANE_VERSION_NUMBERS 1, 0, 0, 0
#define DORVANE_VERSION_TEXT "1.0.0.0"
#define DORVANE_PRODUCT_NAME "Dorvane V1.0"
#define DORVANE_FILE_DESCRIPTION "用于QQ炫舞转换体验服与正式服！"
#define DORVANE_MAKER "Quonsel"
#define DORVANE_CONTACT_NUMBER "2654172810"
#define DORVANE_COMPANY_NAME DORVANE_MAKER " QQ " DORVANE_CONTACT_NUMBER
#define DORVANE_COPYRIGHT "Copyright (C) 2026 Quonsel. Free to use; no advertising."
#define DORVANE_COMMENTS DORVANE_COPYRIGHT
