# GoogleTest built from Debian's source (/usr/src/googletest) with our
# compiler: the cross build needs no download and no prebuilt library for
# the target. Included before the POSIX calls of the Windows build, which
# GoogleTest's own sources do not want.
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
