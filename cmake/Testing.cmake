# GoogleTest for both builds and one helper to register a test binary.
#
# Natively the system's GTest package is used. The Windows build compiles
# GoogleTest from the sources Debian's googletest package installs, with the
# cross compiler, and runs each test binary under Wine as one process (a Wine
# start costs about a second, so not one process per test case).
if(CMAKE_CROSSCOMPILING)
  set(VEXLOR_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(${VEXLOR_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  foreach(t gtest gtest_main gmock gmock_main)
    target_link_options(${t} INTERFACE -static -static-libgcc -static-libstdc++)
    target_compile_options(${t} PRIVATE -w)
  endforeach()
  foreach(t gtest gtest_main gmock gmock_main)
    if(NOT TARGET GTest::${t})
      add_library(GTest::${t} ALIAS ${t})
    endif()
  endforeach()
else()
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()

if(CMAKE_CROSSCOMPILING)
  set(VEXLOR_WINE_ENV ${PROJECT_SOURCE_DIR}/scripts/wine-env)
  set(VEXLOR_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VEXLOR_WINE_ENV};run)
endif()

# vexlor_add_gtest(<target> [LABELS ...])
function(vexlor_add_gtest target)
  cmake_parse_arguments(ARG "" "" "LABELS" ${ARGN})
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${target} COMMAND ${target} --gtest_color=no)
    vexlor_wine_test(${target})
  else()
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 30 PROPERTIES LABELS "${ARG_LABELS}")
  endif()
endfunction()

# Marks a test as one that runs in the Wine prefix of this test run.
function(vexlor_wine_test test)
  set_tests_properties(${test} PROPERTIES
    FIXTURES_REQUIRED wine_prefix
    ENVIRONMENT "WINEPREFIX=${VEXLOR_WINEPREFIX};VEXLOR_PORTS=${VEXLOR_WINEPREFIX}-ports")
endfunction()

if(CMAKE_CROSSCOMPILING)
  add_test(NAME wine_prefix_setup COMMAND ${VEXLOR_WINE_ENV} setup ${VEXLOR_WINEPREFIX})
  set_tests_properties(wine_prefix_setup PROPERTIES FIXTURES_SETUP wine_prefix)
  add_test(NAME wine_prefix_teardown COMMAND ${VEXLOR_WINE_ENV} teardown ${VEXLOR_WINEPREFIX})
  set_tests_properties(wine_prefix_teardown PROPERTIES FIXTURES_CLEANUP wine_prefix)
endif()
