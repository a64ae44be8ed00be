# Configures and builds tests/documents/project into BINARY_DIR with the host values given as
# -DDORVANE_..._HOST... to this script (the project's defaults for slots not given), then checks
# that the generated launcher_hosts.h carries exactly the values given.
# With EXPECT_ERROR set, configuring must fail instead, printing that text.
# Run as: cmake -DBINARY_DIR=... -DGENERATOR=... -DCXX=... [-DDORVANE_...=...] -P this file
cmake_minimum_required(VERSION 3.20)
include(${CMAKE_CURRENT_LIST_DIR}/expect_message.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/ValidateHostSlots.cmake)

set(host_arguments)
set(given_slots)
foreach(slot IN LISTS DORVANE_DNS_NAME_SLOTS DORVANE_IPV4_SLOTS)
  if(DEFINED ${slot})
    list(APPEND host_arguments "-D${slot}=${${slot}}")
    list(APPEND given_slots ${slot})
  endif()
endforeach()

# A fresh cache, so that values left from an earlier run never stand in for the defaults.
file(REMOVE ${BINARY_DIR}/CMakeCache.txt)
execute_process(
  COMMAND ${CMAKE_COMMAND} -S ${CMAKE_CURRENT_LIST_DIR}/project -B ${BINARY_DIR} -G ${GENERATOR}
          -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_BUILD_TYPE=RelWithDebInfo ${host_arguments}
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)

if(DEFINED EXPECT_ERROR)
  if(result EQUAL 0)
    message(FATAL_ERROR "configuring with ${host_arguments} succeeded:\n${output}")
  endif()
  dorvane_expect_message("configuring with ${host_arguments}" "${output}" "${EXPECT_ERROR}")
  message(STATUS "configuring stopped as expected")
  return()
endif()
if(NOT result EQUAL 0)
  message(FATAL_ERROR "configuring failed:\n${output}")
endif()

file(READ ${BINARY_DIR}/generated/launcher_hosts.h header)
foreach(slot IN LISTS given_slots)
  string(FIND "${header}" "#define ${slot} \"${${slot}}\"\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "launcher_hosts.h does not give ${slot} as \"${${slot}}\":\n${header}")
  endif()
endforeach()

execute_process(COMMAND ${CMAKE_COMMAND} --build ${BINARY_DIR} --parallel 2
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "building ${BINARY_DIR} failed")
endif()
