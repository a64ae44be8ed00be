# Checks of what a child cmake printed. CMake wraps long messages and indents their lines, so
# runs of white space count as one space on both sides.

function(dorvane_collapse_space out text)
  string(REGEX REPLACE "[ \t\r\n]+" " " collapsed "${text}")
  set(${out} "${collapsed}" PARENT_SCOPE)
endfunction()

# Fails the calling script unless `output` contains each of the given texts.
function(dorvane_expect_message context output)
  dorvane_collapse_space(flat_output "${output}")
  foreach(expected IN LISTS ARGN)
    dorvane_collapse_space(flat_expected "${expected}")
    string(FIND "${flat_output}" "${flat_expected}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "${context}: expected the message\n  ${expected}\nbut cmake printed:\n${output}")
    endif()
  endforeach()
endfunction()
