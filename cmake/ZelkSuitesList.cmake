# Run by ctest through a test include file (see ZelkSuites.cmake): lists the program's suites and
# adds one test per suite. Expects zelk_program, zelk_workdir and zelk_environment.
if(NOT EXISTS "${zelk_program}")
  add_test("${zelk_program}_NOT_BUILT" "${zelk_program}")
  return()
endif()
execute_process(COMMAND "${zelk_program}" --gtest_list_tests
  WORKING_DIRECTORY "${zelk_workdir}" OUTPUT_VARIABLE listing RESULT_VARIABLE result TIMEOUT 60)
if(NOT result EQUAL 0)
  add_test("${zelk_program}_LIST_FAILED" "${zelk_program}" --gtest_list_tests)
  return()
endif()
string(REPLACE "\n" ";" lines "${listing}")
foreach(line IN LISTS lines)
  # Suite lines start in the first column and end with "." (typed suites add a comment).
  if(line MATCHES "^([^ #][^ ]*)\\.( |$)")
    set(suite "${CMAKE_MATCH_1}")
    add_test("${suite}" "${zelk_program}" "--gtest_filter=${suite}.*" --gtest_also_run_disabled_tests)
    set_tests_properties("${suite}" PROPERTIES WORKING_DIRECTORY "${zelk_workdir}"
      ENVIRONMENT "${zelk_environment}" TIMEOUT 1800)
  endif()
endforeach()
