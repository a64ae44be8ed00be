// The player community's chat groups and the maker's contact number, as the window shows them.
#pragma once

#include "app/version.h"

#define DORVANE_GROUP1 L"613502471"
#define DORVANE_GROUP2 L"613502472"
#define DORVANE_GROUP3 L"613502473"
#define DORVANE_GROUP4 L"613502474"

namespace dorvane {

constexpr const wchar_t* kLabelGroup1 = L"QQ炫舞体验服1群；" DORVANE_GROUP1;
constexpr const wchar_t* kLabelGroup2 = L"QQ炫舞体验服2群；" DORVANE_GROUP2;
constexpr const wchar_t* kLabelGroup3 = L"QQ炫舞体验服3群；" DORVANE_GROUP3 L"\r\n";
constexpr const wchar_t* kLabelGroup4 = L"QQ炫舞体验服4群；" DORVANE_GROUP4;
constexpr const wchar_t* kLabelContact = L"QuonselQQ " DORVANE_CONTACT_NUMBER;

}  // namespace dorvane
