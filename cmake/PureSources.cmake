# Source files of logic that needs no windows.h. The Windows build compiles them into the
# program; the native test build compiles them again for Linux, to test and fuzz them there.
# Paths are relative to the checkout.
set(DORVANE_PURE_SOURCES
  host/command_line.cpp
  host/join_text.cpp
  host/notice_style.cpp
  host/show_mode.cpp
  host/temp_path.cpp
  app/fatal_message.cpp
  app/path_split.cpp
  app/tab_order.cpp
  app/wave/wav_chunks.cpp
  switcher/launcher_documents.cpp
  switcher/replace_files_together.cpp
  switcher/server_profile.cpp
)
