# Cross-compiling the same sources for 64-bit Windows, for machines whose kernel cannot run
# 32-bit Linux programs and so cannot run 32-bit Wine (see tools/lib/wine-arch).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
