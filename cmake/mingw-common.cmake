# Shared part of the MinGW-w64 toolchain files; MINGW_TRIPLE is set by the including file.
set(CMAKE_SYSTEM_NAME Windows)

# The posix thread model gives the standard library its mutexes, which GoogleTest needs; the
# program itself uses Win32 threads, and static linking keeps winpthread out of its imports.
find_program(CMAKE_C_COMPILER NAMES ${MINGW_TRIPLE}-gcc-posix ${MINGW_TRIPLE}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${MINGW_TRIPLE}-g++-posix ${MINGW_TRIPLE}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${MINGW_TRIPLE}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Programs built for Windows run under Wine through tools/lib/wine-run, which picks the Wine
# loader that matches their bitness.
get_filename_component(_dorvane_top ${CMAKE_CURRENT_LIST_DIR} DIRECTORY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${_dorvane_top}/tools/lib/wine-run)
