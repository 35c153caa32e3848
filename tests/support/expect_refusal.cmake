# cmake -DPROBE=<binary> -P expect_refusal.cmake
# Runs a networked test binary outside any test namespace and checks that its guard refused it at
# once: exit code 1, a message naming each foreign card, and no test started.
# `ip` is the independent witness of which cards this namespace holds.

find_program(IP_COMMAND ip HINTS /usr/sbin /sbin REQUIRED)
execute_process(COMMAND ${IP_COMMAND} -o link show OUTPUT_VARIABLE links RESULT_VARIABLE ip_result)
if(NOT ip_result EQUAL 0)
  message(FATAL_ERROR "ip -o link show failed: ${ip_result}")
endif()

set(foreign "")
string(REPLACE "\n" ";" lines "${links}")
foreach(line IN LISTS lines)
  # "2: eth0: <...>" or "3: nvt1@nvt0: <...>"
  if(line MATCHES "^[0-9]+: ([^:@ ]+)")
    set(name ${CMAKE_MATCH_1})
    if(NOT name STREQUAL "lo" AND NOT name MATCHES "^nvt")
      list(APPEND foreign ${name})
    endif()
  endif()
endforeach()

if(NOT foreign)
  message("netns guard probe skipped: this namespace holds only lo and nvt cards, so nothing is refused")
  return()
endif()

execute_process(COMMAND ${PROBE} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE result)
if(NOT result EQUAL 1)
  message(FATAL_ERROR "probe exited with '${result}', expected 1\nstdout:\n${out}\nstderr:\n${err}")
endif()
if(out MATCHES "\\[ RUN" OR err MATCHES "\\[ RUN")
  message(FATAL_ERROR "a test ran before the guard refused:\n${out}")
endif()
if(NOT err MATCHES "^refusing to run: interfaces? ")
  message(FATAL_ERROR "no refusal on stderr:\n${err}")
endif()
foreach(name IN LISTS foreign)
  # Plain substring search: a card name may hold regex characters, as in eth0.100.
  string(FIND "${err}" " ${name} " as_last)
  string(FIND "${err}" " ${name}," as_listed)
  if(as_last EQUAL -1 AND as_listed EQUAL -1)
    message(FATAL_ERROR "the refusal does not name ${name} (ip lists: ${foreign}):\n${err}")
  endif()
endforeach()
message("refused as expected: ${err}")
