# The nine host values that the build writes into the four launcher documents: the DNS names of
# the launcher's experience and official servers and seven IPv4 addresses. They are deployment
# data, given when the build is configured, for example
#   cmake ... -DDORVANE_EXPERIENCE_HOST1=name.of.the.experience.server -DDORVANE_OFFICIAL_HOST2=...
# The defaults are documentation values (RFC 2606 names, RFC 5737 addresses) that reach no real
# server; their lengths give the documents their stored lengths of 381, 417, 782 and 734 bytes.
# Configuring stops with a message when a value is not what its slot takes. The values land in
# ${DORVANE_GENERATED_DIR}/launcher_hosts.h as string literals.
set(DORVANE_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
file(MAKE_DIRECTORY ${DORVANE_GENERATED_DIR})

set(DORVANE_EXPERIENCE_HOST1 "experience.dorvane.example" CACHE STRING
  "DNS name of the launcher's experience server (Server1 of the experience documents)")
set(DORVANE_EXPERIENCE_HOST2 "192.0.2.1" CACHE STRING
  "IPv4 address of Server2 of the experience documents")
set(DORVANE_EXPERIENCE_HOST3 "192.0.2.10" CACHE STRING
  "IPv4 address of Server3 of the experience documents")
set(DORVANE_OFFICIAL_HOST1 "official.dorvane.example" CACHE STRING
  "DNS name of the launcher's official server (server1 / Server1 of the official documents)")
set(DORVANE_OFFICIAL_HOST2 "198.51.100.10" CACHE STRING
  "IPv4 address of server2 / Server2 of the official documents")
set(DORVANE_OFFICIAL_HOST3 "198.51.100.11" CACHE STRING
  "IPv4 address of server3 / Server3 of the official documents")
set(DORVANE_OFFICIAL_HOST4 "203.0.113.1" CACHE STRING
  "IPv4 address of server4 / Server4 of the official documents")
set(DORVANE_OFFICIAL_HOST5 "203.0.113.2" CACHE STRING
  "IPv4 address of server5 / Server5 of the official documents")
set(DORVANE_OFFICIAL_COMMENTED_HOST "203.0.113.9" CACHE STRING
  "IPv4 address of the server in the commented-out block of the official documents")

include(${CMAKE_CURRENT_LIST_DIR}/ValidateHostSlots.cmake)
dorvane_validate_host_slots()

configure_file(${CMAKE_CURRENT_LIST_DIR}/../switcher/launcher_hosts.h.in
               ${DORVANE_GENERATED_DIR}/launcher_hosts.h @ONLY)
