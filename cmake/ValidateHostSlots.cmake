# Checks of the host values that the build writes into the launcher documents. Each value goes
# between the double quotes of a `host` attribute and into a C++ string literal unchanged, so
# anything but a plain DNS name or IPv4 address is refused here, before it can reach a file.
# Included by cmake/HostSlots.cmake; also usable in script mode (cmake -P), which the tests do.

set(DORVANE_DNS_NAME_SLOTS DORVANE_EXPERIENCE_HOST1 DORVANE_OFFICIAL_HOST1)
set(DORVANE_IPV4_SLOTS
  DORVANE_EXPERIENCE_HOST2 DORVANE_EXPERIENCE_HOST3
  DORVANE_OFFICIAL_HOST2 DORVANE_OFFICIAL_HOST3 DORVANE_OFFICIAL_HOST4 DORVANE_OFFICIAL_HOST5
  DORVANE_OFFICIAL_COMMENTED_HOST)
set(DORVANE_EXPERIENCE_SLOTS DORVANE_EXPERIENCE_HOST1 DORVANE_EXPERIENCE_HOST2 DORVANE_EXPERIENCE_HOST3)
set(DORVANE_OFFICIAL_SLOTS
  DORVANE_OFFICIAL_HOST1 DORVANE_OFFICIAL_HOST2 DORVANE_OFFICIAL_HOST3 DORVANE_OFFICIAL_HOST4
  DORVANE_OFFICIAL_HOST5 DORVANE_OFFICIAL_COMMENTED_HOST)

set(_dorvane_dns_rule "a DNS name (letters, digits, hyphens and dots; labels of 1 to 63 characters; at most 253 characters in all)")
set(_dorvane_ipv4_rule "a dotted-decimal IPv4 address (four numbers from 0 to 255, without leading zeros)")

function(_dorvane_reject_host slot value reason rule)
  message(FATAL_ERROR "${slot} is \"${value}\": ${reason}. This slot takes ${rule}.")
endfunction()

# Stops configuring unless `value` is a DNS name as the launcher documents take it.
function(dorvane_check_dns_name slot value)
  string(LENGTH "${value}" length)
  if(length EQUAL 0)
    _dorvane_reject_host(${slot} "${value}" "the value is empty" "${_dorvane_dns_rule}")
  endif()
  if(length GREATER 253)
    _dorvane_reject_host(${slot} "${value}" "the name is ${length} characters long"
                         "${_dorvane_dns_rule}")
  endif()
  if(NOT "${value}" MATCHES "^[0-9A-Za-z.-]+$")
    _dorvane_reject_host(${slot} "${value}" "the name holds a character other than a letter, digit, hyphen or dot"
                         "${_dorvane_dns_rule}")
  endif()
  # Checked before splitting: a list split on the dots would drop empty labels silently.
  if("${value}" MATCHES "^\\.|\\.\\.|\\.$")
    _dorvane_reject_host(${slot} "${value}" "the name has an empty label" "${_dorvane_dns_rule}")
  endif()
  string(REPLACE "." ";" labels "${value}")
  foreach(label IN LISTS labels)
    string(LENGTH "${label}" label_length)
    if(label_length GREATER 63)
      _dorvane_reject_host(${slot} "${value}" "the label \"${label}\" is ${label_length} characters long"
                           "${_dorvane_dns_rule}")
    endif()
  endforeach()
endfunction()

# Stops configuring unless `value` is a dotted-decimal IPv4 address without leading zeros.
function(dorvane_check_ipv4 slot value)
  if(NOT "${value}" MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
    _dorvane_reject_host(${slot} "${value}" "the value is not four dot-separated numbers"
                         "${_dorvane_ipv4_rule}")
  endif()
  foreach(part IN ITEMS ${CMAKE_MATCH_1} ${CMAKE_MATCH_2} ${CMAKE_MATCH_3} ${CMAKE_MATCH_4})
    if(NOT part MATCHES "^(0|[1-9][0-9]*)$")
      _dorvane_reject_host(${slot} "${value}" "the number ${part} has a leading zero"
                           "${_dorvane_ipv4_rule}")
    endif()
    if(part GREATER 255)
      _dorvane_reject_host(${slot} "${value}" "the number ${part} is greater than 255"
                           "${_dorvane_ipv4_rule}")
    endif()
  endforeach()
endfunction()

# Stops configuring when an experience slot and an official slot hold the same host: the two
# pairs of documents would then send the launcher to the same server. Names compare without
# regard to letter case, as DNS does.
function(dorvane_check_pairs_share_no_host)
  foreach(experience_slot IN LISTS DORVANE_EXPERIENCE_SLOTS)
    string(TOLOWER "${${experience_slot}}" experience_value)
    foreach(official_slot IN LISTS DORVANE_OFFICIAL_SLOTS)
      string(TOLOWER "${${official_slot}}" official_value)
      if(experience_value STREQUAL official_value)
        message(FATAL_ERROR "${experience_slot} is \"${${experience_slot}}\" and ${official_slot} "
                            "is \"${${official_slot}}\": the experience and the official servers "
                            "must not share a host value.")
      endif()
    endforeach()
  endforeach()
endfunction()

# Checks the nine slots as they are set in the calling scope.
function(dorvane_validate_host_slots)
  foreach(slot IN LISTS DORVANE_DNS_NAME_SLOTS)
    dorvane_check_dns_name(${slot} "${${slot}}")
  endforeach()
  foreach(slot IN LISTS DORVANE_IPV4_SLOTS)
    dorvane_check_ipv4(${slot} "${${slot}}")
  endforeach()
  dorvane_check_pairs_share_no_host()
endfunction()
