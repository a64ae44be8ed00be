# Warnings and defines for every target of the Windows build; static linking so that the
# program needs no DLL beyond Windows' own.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)

if(MSVC)
  # Sources and resource scripts are UTF-8; the C runtime is linked in.
  add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:/W4> $<$<COMPILE_LANGUAGE:C,CXX>:/utf-8>)
  set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
else()
  add_compile_options(
    $<$<COMPILE_LANGUAGE:C,CXX>:-Wall>
    $<$<COMPILE_LANGUAGE:C,CXX>:-Wextra>
    $<$<COMPILE_LANGUAGE:C,CXX>:-Wshadow>
    $<$<COMPILE_LANGUAGE:C,CXX>:-Wformat=2>
  )
  add_link_options(-static -static-libgcc -static-libstdc++ -municode)
  # UTF-8 resource scripts.
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
  # The shipped program carries no symbol table.
  add_link_options($<$<CONFIG:Release>:-s>)
endif()
