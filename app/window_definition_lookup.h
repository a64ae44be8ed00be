// Name lookups in the definition tables.
#pragma once

#include <cwchar>

namespace dorvane {

template <typename T>
const T* FindByName(const Table<T>& table, const wchar_t* name) {
    if (name == nullptr) return nullptr;
    for (const T& row : table) {
        if (std::wcscmp(row.name, name) == 0) return &row;
    }
    return nullptr;
}

}  // namespace dorvane
