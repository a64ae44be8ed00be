# Runs the host value checks of the build (validate_host_slots.cmake, script mode) with one or
# two values changed from a good set, and checks that each bad value stops them with a message
# naming the slot, the value and what went wrong, while values at the edges of the rules pass.
# Run as: cmake -P check_host_validation.cmake
cmake_minimum_required(VERSION 3.20)
include(${CMAKE_CURRENT_LIST_DIR}/expect_message.cmake)

set(good_hosts
  DORVANE_EXPERIENCE_HOST1=pts.launcher.example
  DORVANE_EXPERIENCE_HOST2=192.0.2.30
  DORVANE_EXPERIENCE_HOST3=192.0.2.31
  DORVANE_OFFICIAL_HOST1=live.launcher.example
  DORVANE_OFFICIAL_HOST2=198.51.100.40
  DORVANE_OFFICIAL_HOST3=198.51.100.41
  DORVANE_OFFICIAL_HOST4=203.0.113.50
  DORVANE_OFFICIAL_HOST5=203.0.113.51
  DORVANE_OFFICIAL_COMMENTED_HOST=203.0.113.52)

set(dns_rule "This slot takes a DNS name")
set(ipv4_rule "This slot takes a dotted-decimal IPv4 address")

# Runs the checks with the good set, each SLOT=VALUE argument replacing its slot's value.
function(run_validation out_result out_output)
  set(hosts ${good_hosts})
  foreach(change IN LISTS ARGN)
    string(REGEX MATCH "^[A-Z0-9_]+" slot "${change}")
    list(FILTER hosts EXCLUDE REGEX "^${slot}=")
    list(APPEND hosts "${change}")
  endforeach()
  list(TRANSFORM hosts PREPEND "-D")
  execute_process(
    COMMAND ${CMAKE_COMMAND} ${hosts} -P ${CMAKE_CURRENT_LIST_DIR}/validate_host_slots.cmake
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  set(${out_result} "${result}" PARENT_SCOPE)
  set(${out_output} "${output}" PARENT_SCOPE)
endfunction()

function(expect_rejected change)
  run_validation(result output "${change}")
  if(result EQUAL 0)
    message(FATAL_ERROR "${change} was accepted:\n${output}")
  endif()
  string(REGEX REPLACE "=" " is \"" named_value "${change}")
  dorvane_expect_message("${change}" "${output}" "${named_value}\"" ${ARGN})
endfunction()

function(expect_accepted)
  run_validation(result output ${ARGN})
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "good host values were refused (${ARGN}):\n${output}")
  endif()
  dorvane_expect_message("${ARGN}" "${output}" "host values accepted")
endfunction()

string(REPEAT "a" 63 label63)
string(REPEAT "b" 64 label64)
string(REPEAT "c" 61 label61)
string(REPEAT "d" 62 label62)
# Three labels of 63, one of 61 or 62, and their dots: names of 253 and 254 characters whose
# labels all keep within 63.
set(name253 "${label63}.${label63}.${label63}.${label61}")
set(name254 "${label63}.${label63}.${label63}.${label62}")

# A DNS name slot.
expect_rejected("DORVANE_EXPERIENCE_HOST1=${label64}.example" "the label \"${label64}\" is 64 characters long" "${dns_rule}")
expect_rejected("DORVANE_OFFICIAL_HOST1=${name254}" "the name is 254 characters long" "${dns_rule}")
expect_rejected("DORVANE_EXPERIENCE_HOST1=pts_launcher.example" "a character other than a letter, digit, hyphen or dot" "${dns_rule}")
expect_rejected("DORVANE_OFFICIAL_HOST1=live\"launcher.example" "a character other than a letter, digit, hyphen or dot")
expect_rejected("DORVANE_OFFICIAL_HOST1=live launcher.example" "a character other than a letter, digit, hyphen or dot")
expect_rejected("DORVANE_OFFICIAL_HOST1=live..launcher.example" "the name has an empty label" "${dns_rule}")
expect_rejected("DORVANE_EXPERIENCE_HOST1=.launcher.example" "the name has an empty label")
expect_rejected("DORVANE_EXPERIENCE_HOST1=launcher.example." "the name has an empty label")
expect_rejected("DORVANE_EXPERIENCE_HOST1=" "the value is empty" "${dns_rule}")

# An IPv4 address slot.
expect_rejected("DORVANE_EXPERIENCE_HOST2=192.0.2.01" "the number 01 has a leading zero" "${ipv4_rule}")
expect_rejected("DORVANE_OFFICIAL_HOST4=203.0.113.256" "the number 256 is greater than 255" "${ipv4_rule}")
expect_rejected("DORVANE_OFFICIAL_HOST3=99999999999999999999.0.0.1" "the number 99999999999999999999 is greater than 255")
expect_rejected("DORVANE_OFFICIAL_HOST5=203.0.113" "the value is not four dot-separated numbers" "${ipv4_rule}")
expect_rejected("DORVANE_EXPERIENCE_HOST3=192.0.2.1.5" "the value is not four dot-separated numbers")
expect_rejected("DORVANE_OFFICIAL_COMMENTED_HOST=live.launcher.example" "the value is not four dot-separated numbers" "${ipv4_rule}")
expect_rejected("DORVANE_OFFICIAL_HOST2=" "the value is not four dot-separated numbers")

# A host shared by the two pairs; names are compared without regard to letter case.
function(expect_shared_host_rejected expected)
  run_validation(result output ${ARGN})
  if(result EQUAL 0)
    message(FATAL_ERROR "a host shared by both pairs was accepted (${ARGN}):\n${output}")
  endif()
  dorvane_expect_message("${ARGN}" "${output}" "${expected}"
    "the experience and the official servers must not share a host value")
endfunction()

expect_shared_host_rejected(
  "DORVANE_EXPERIENCE_HOST2 is \"198.51.100.41\" and DORVANE_OFFICIAL_HOST3 is \"198.51.100.41\""
  DORVANE_EXPERIENCE_HOST2=198.51.100.41)
expect_shared_host_rejected(
  "DORVANE_EXPERIENCE_HOST3 is \"203.0.113.52\" and DORVANE_OFFICIAL_COMMENTED_HOST is \"203.0.113.52\""
  DORVANE_EXPERIENCE_HOST3=203.0.113.52)
expect_shared_host_rejected(
  "DORVANE_EXPERIENCE_HOST1 is \"Launcher.example\" and DORVANE_OFFICIAL_HOST1 is \"launcher.Example\""
  DORVANE_EXPERIENCE_HOST1=Launcher.example DORVANE_OFFICIAL_HOST1=launcher.Example)

# Values at the edges of the rules.
expect_accepted()
expect_accepted("DORVANE_EXPERIENCE_HOST1=${label63}.example" "DORVANE_OFFICIAL_HOST1=${name253}"
                DORVANE_EXPERIENCE_HOST2=0.0.0.0 DORVANE_OFFICIAL_HOST2=255.255.255.255
                DORVANE_OFFICIAL_HOST3=10.200.0.9)
expect_accepted(DORVANE_EXPERIENCE_HOST1=x DORVANE_OFFICIAL_HOST1=Live-2.Launcher-Example.TEST)
message(STATUS "host value checks: all cases behave")
