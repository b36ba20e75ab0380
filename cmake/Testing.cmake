# GoogleTest: Debian's prebuilt library natively, Debian's googletest sources built with
# MinGW for the cross build (Debian has no prebuilt MinGW GoogleTest). On Windows itself
# (MSYS2) the installed package is used.
if(CMAKE_CROSSCOMPILING)
  set(VANTARI_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources to build for Windows")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(${VANTARI_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()

# Adds a GoogleTest program. Natively each test case is its own ctest entry; under Wine the
# program is one entry (one Wine process per program keeps the run short).
function(vantari_add_gtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  vantari_target_defaults(${name})
  if(WIN32)
    target_link_options(${name} PRIVATE -mconsole)
    add_test(NAME wine.${name} COMMAND ${name} --gtest_color=no)
    set_tests_properties(wine.${name} PROPERTIES TIMEOUT 600 LABELS wine)
  else()
    gtest_discover_tests(${name} TEST_PREFIX native. PROPERTIES LABELS native TIMEOUT 300)
  endif()
endfunction()
