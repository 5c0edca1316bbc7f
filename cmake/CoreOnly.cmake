# The portable core alone: the plain layers (no Qt) and their GoogleTest
# suites. This is the Windows build while no Qt for Windows is at hand
# (scripts/windows-core.sh); DRAVINOR_CORE_ONLY=ON gives it on Linux too.
# GoogleTest is built from Debian's source (cmake/GoogleTestFromSource.cmake).

if(DRAVINOR_BUILD_TESTS)
  include(cmake/GoogleTestFromSource.cmake)
endif()
if(WIN32)
  include(cmake/WindowsPosixCalls.cmake)
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
