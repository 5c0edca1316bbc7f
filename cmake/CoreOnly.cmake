# The portable core alone: the plain layers (no Qt) and their GoogleTest
# suites. This is the Windows build while no Qt for Windows is at hand
# (scripts/windows-core.sh); DRAVINOR_CORE_ONLY=ON gives it on Linux too.
# GoogleTest is built from Debian's source (/usr/src/googletest), so the
# cross build needs no download and no prebuilt library for the target.

if(DRAVINOR_BUILD_TESTS)
  enable_testing()
  set(DRAVINOR_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's source, built with our compiler")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${DRAVINOR_GOOGLETEST_SOURCE} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  foreach(library gtest gtest_main)
    if(NOT TARGET GTest::${library})
      add_library(GTest::${library} ALIAS ${library})
    endif()
  endforeach()
  include(GoogleTest)
endif()

if(WIN32)
  # The POSIX calls of the plain layers, for every target of ours from here on.
  add_subdirectory(src/windows)
  add_compile_options(-include ${PROJECT_SOURCE_DIR}/src/windows/PosixCalls.h)
  link_libraries(dravinor_posixcalls)
endif()

add_subdirectory(src/link)
add_subdirectory(src/lang)
add_subdirectory(src/diagnostics)
add_subdirectory(src/params)
add_subdirectory(src/fields)
add_subdirectory(src/wizard)
add_subdirectory(src/report)
# The simulated controller the wizard's and the diagnostics' tests drive.
add_subdirectory(sim)

if(DRAVINOR_BUILD_TESTS)
  add_subdirectory(tests)
endif()
