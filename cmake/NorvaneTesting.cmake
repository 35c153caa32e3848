# Test helpers, include()d by tests/CMakeLists.txt (which then does add_subdirectory(support)).
#
#   norvane_add_unit_test(TARGET [SOURCES] src... [LIBS lib...] [TIMEOUT seconds])
#     One ctest entry for the whole binary, label "unit", linked with gtest_main.
#   norvane_add_netns_test(TARGET [SOURCES] src... [LIBS lib...] [TOPOLOGY name] [TIMEOUT seconds])
#     Label "net": the binary runs inside scripts/netns-run (with --topology NAME when given) and its
#     main() refuses to run outside a test namespace.
include_guard(GLOBAL)

find_package(GTest REQUIRED)

cmake_path(GET CMAKE_CURRENT_LIST_DIR PARENT_PATH NORVANE_SOURCE_ROOT)
set(NORVANE_NETNS_RUN "${NORVANE_SOURCE_ROOT}/scripts/netns-run")
set(NORVANE_NETNS_TOPOLOGIES segment2 router)
set(NORVANE_UNIT_TEST_TIMEOUT 120 CACHE STRING "Seconds before ctest stops a unit test")
set(NORVANE_NET_TEST_TIMEOUT 180 CACHE STRING "Seconds before ctest stops a networked test")

# Every test, sanitized or not: sanitizer reports end the test, and Qt needs no display.
set(NORVANE_TEST_ENVIRONMENT
    "QT_QPA_PLATFORM=offscreen"
    "ASAN_OPTIONS=detect_leaks=1:abort_on_error=1"
    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
    "LSAN_OPTIONS=suppressions=${NORVANE_SOURCE_ROOT}/tests/support/lsan.supp")

# Parses TARGET's arguments into the caller's SOURCES, LIBS, TOPOLOGY and TIMEOUT.
macro(_norvane_test_arguments target)
  cmake_parse_arguments(_nt "" "TOPOLOGY;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  set(SOURCES ${_nt_UNPARSED_ARGUMENTS} ${_nt_SOURCES})
  set(LIBS ${_nt_LIBS})
  set(TOPOLOGY ${_nt_TOPOLOGY})
  set(TIMEOUT ${_nt_TIMEOUT})
  if(NOT SOURCES)
    message(FATAL_ERROR "${target}: no sources")
  endif()
endmacro()

function(norvane_add_unit_test target)
  _norvane_test_arguments(${target} ${ARGN})
  if(TOPOLOGY)
    message(FATAL_ERROR "${target}: TOPOLOGY is for norvane_add_netns_test")
  endif()
  if(NOT TIMEOUT)
    set(TIMEOUT ${NORVANE_UNIT_TEST_TIMEOUT})
  endif()
  add_executable(${target} ${SOURCES})
  target_link_libraries(${target} PRIVATE norvane_options GTest::gmock GTest::gtest_main ${LIBS})
  add_test(NAME ${target} COMMAND ${target})
  set_tests_properties(${target} PROPERTIES LABELS unit TIMEOUT ${TIMEOUT}
                                            ENVIRONMENT "${NORVANE_TEST_ENVIRONMENT}")
endfunction()

function(norvane_add_netns_test target)
  _norvane_test_arguments(${target} ${ARGN})
  if(NOT TIMEOUT)
    set(TIMEOUT ${NORVANE_NET_TEST_TIMEOUT})
  endif()
  set(runner ${NORVANE_NETNS_RUN})
  if(TOPOLOGY)
    if(NOT TOPOLOGY IN_LIST NORVANE_NETNS_TOPOLOGIES)
      message(FATAL_ERROR "${target}: unknown TOPOLOGY '${TOPOLOGY}' (known: ${NORVANE_NETNS_TOPOLOGIES})")
    endif()
    list(APPEND runner --topology ${TOPOLOGY})
  endif()
  add_executable(${target} ${SOURCES})
  target_link_libraries(${target} PRIVATE norvane_options GTest::gmock norvane_netns_test_main ${LIBS})
  add_test(NAME ${target} COMMAND ${runner} -- $<TARGET_FILE:${target}>)
  # netns-run exits 77 when a topology needs root that this user lacks.
  set_tests_properties(${target} PROPERTIES LABELS net TIMEOUT ${TIMEOUT} SKIP_RETURN_CODE 77
                                            ENVIRONMENT "${NORVANE_TEST_ENVIRONMENT}")
endfunction()
