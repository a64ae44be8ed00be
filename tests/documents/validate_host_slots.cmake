# Checks the nine host values given with -D, as configuring the build does; prints
# "host values accepted" when all pass. Run by check_host_validation.cmake.
cmake_minimum_required(VERSION 3.20)
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/ValidateHostSlots.cmake)
dorvane_validate_host_slots()
message(STATUS "host values accepted")
