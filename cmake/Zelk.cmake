# Helpers shared by every layer of the build.

# Warnings as errors for our own code.
function(zelk_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# zelk_library(<target> [DEPS <targets>...] [PKG <pkg-config modules>...])
# One library per folder from every .cpp in it; the repository root is the include root,
# so headers are included as "platform/rtl/SysUtils.h".
function(zelk_library target)
  cmake_parse_arguments(Z "" "" "DEPS;PKG;LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${Z_DEPS} ${Z_LIBS})
  foreach(pkg IN LISTS Z_PKG)
    string(MAKE_C_IDENTIFIER ${pkg} pkgid)
    pkg_check_modules(${pkgid} REQUIRED IMPORTED_TARGET ${pkg})
    target_link_libraries(${target} PRIVATE PkgConfig::${pkgid})
  endforeach()
  zelk_warnings(${target})
endfunction()

# zelk_tests(<library target> [LIBS <extra>...])
# One GoogleTest executable from tests/*.cpp beside the library, registered with ctest.
function(zelk_tests target)
  cmake_parse_arguments(Z "" "" "LIBS;PKG" ${ARGN})
  if(NOT ZELK_TESTS)
    return()
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${target}_tests ${sources})
  target_link_libraries(${target}_tests PRIVATE ${target} ${Z_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  foreach(pkg IN LISTS Z_PKG)
    string(MAKE_C_IDENTIFIER ${pkg} pkgid)
    pkg_check_modules(${pkgid} REQUIRED IMPORTED_TARGET ${pkg})
    target_link_libraries(${target}_tests PRIVATE PkgConfig::${pkgid})
  endforeach()
  target_compile_definitions(${target}_tests PRIVATE
    ZELK_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/tests/data"
    ZELK_TEST_OUTPUT="${CMAKE_BINARY_DIR}/test-output")
  zelk_warnings(${target}_tests)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/test-output)
  gtest_discover_tests(${target}_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "ZELK_TEST_OUTPUT=${CMAKE_BINARY_DIR}/test-output")
endfunction()
