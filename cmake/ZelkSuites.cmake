# Registers a gtest program's tests with ctest one suite at a time: each suite runs in one process,
# so a program of many short tests is started (and its sanitizer set up and torn down) once per
# suite instead of once per test. The suites are listed when ctest starts, so new tests need no
# new configure run. A failing suite's output names the failing tests.
#
# zelk_discover_suites(<target> [ENVIRONMENT <var=value>...])
function(zelk_discover_suites target)
  cmake_parse_arguments(Z "" "" "ENVIRONMENT" ${ARGN})
  set(include_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake")
  file(GENERATE OUTPUT "${include_file}" CONTENT
"set(zelk_program \"$<TARGET_FILE:${target}>\")
set(zelk_workdir \"${CMAKE_CURRENT_BINARY_DIR}\")
set(zelk_environment \"${Z_ENVIRONMENT}\")
include(\"${CMAKE_SOURCE_DIR}/cmake/ZelkSuitesList.cmake\")
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${include_file}")
endfunction()

# zelk_long_tests(<test>...)
# Tests of the current folder that take far longer than the rest. ctest starts them first (until it
# has timings of its own from an earlier run), so a run on few cores does not end waiting for one
# that started last. Call it after the folder's tests are registered.
function(zelk_long_tests)
  set(code "")
  foreach(test IN LISTS ARGN)
    string(APPEND code "set_tests_properties(\"${test}\" PROPERTIES COST 1000)\n")
  endforeach()
  set(include_file "${CMAKE_CURRENT_BINARY_DIR}/zelk_long_tests.cmake")
  file(CONFIGURE OUTPUT "${include_file}" CONTENT "${code}")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${include_file}")
endfunction()
