# Cross-builds Dravinor for 64-bit Windows with Debian's mingw-w64 (posix
# threads, for std::thread and std::mutex) against the Qt that
# scripts/build-qt-windows.sh builds:
#
#   qt=$(bash scripts/build-qt-windows.sh | tail -n 1)
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DDRAVINOR_QT_PREFIX="$qt"
#
# Without DRAVINOR_QT_PREFIX only the portable core is built
# (DRAVINOR_CORE_ONLY; scripts/windows-core.sh). The whole program also needs
# the static SQLite that scripts/build-sqlite-windows.sh builds, for the car
# book: -DDRAVINOR_SQLITE_PREFIX=<its last line>.
#
# The C++ runtime is linked as DLLs, not statically: Qt's own DLLs already use
# libstdc++-6.dll, libgcc_s_seh-1.dll and libwinpthread-1.dll, and a second,
# static copy inside our programs would give one process two C++ runtimes
# (two heaps, two sets of exception tables). DRAVINOR_MINGW_RUNTIME_DLLS names
# the three files to ship beside the programs.
#
# Where wine is installed, test programs run under scripts/wine-run.sh, so
# ctest and gtest_discover_tests work as on Linux.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(DRAVINOR_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${DRAVINOR_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DRAVINOR_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${DRAVINOR_MINGW_TRIPLE}-windres)

# The toolchain file is read again for every try_compile: carry the prefix.
if(NOT DRAVINOR_QT_PREFIX AND DEFINED ENV{DRAVINOR_QT_PREFIX})
  set(DRAVINOR_QT_PREFIX "$ENV{DRAVINOR_QT_PREFIX}")
endif()
# Without a prefix only the portable core is built (DRAVINOR_CORE_ONLY).
if(DRAVINOR_QT_PREFIX AND NOT EXISTS "${DRAVINOR_QT_PREFIX}/lib/cmake/Qt6")
  message(FATAL_ERROR "Set DRAVINOR_QT_PREFIX to the Qt for Windows that scripts/build-qt-windows.sh "
                      "prints (its last line), or leave it empty for the core alone; got '${DRAVINOR_QT_PREFIX}'")
endif()
if(DRAVINOR_QT_PREFIX)
  set(DRAVINOR_QT_PREFIX "${DRAVINOR_QT_PREFIX}" CACHE PATH "Qt for Windows (scripts/build-qt-windows.sh)")
  list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES DRAVINOR_QT_PREFIX)
endif()

if(NOT DRAVINOR_SQLITE_PREFIX AND DEFINED ENV{DRAVINOR_SQLITE_PREFIX})
  set(DRAVINOR_SQLITE_PREFIX "$ENV{DRAVINOR_SQLITE_PREFIX}")
endif()
if(DRAVINOR_SQLITE_PREFIX)
  if(NOT EXISTS "${DRAVINOR_SQLITE_PREFIX}/include/sqlite3.h")
    message(FATAL_ERROR "Set DRAVINOR_SQLITE_PREFIX to the SQLite for Windows that scripts/build-sqlite-windows.sh "
                        "prints (its last line); got '${DRAVINOR_SQLITE_PREFIX}'")
  endif()
  set(DRAVINOR_SQLITE_PREFIX "${DRAVINOR_SQLITE_PREFIX}" CACHE PATH "SQLite for Windows (scripts/build-sqlite-windows.sh)")
  list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES DRAVINOR_SQLITE_PREFIX)
endif()

# Libraries, headers and packages only from the Qt and SQLite prefixes and the mingw
# sysroot; programs (moc, rcc, uic) from the host's Qt of the same version.
set(CMAKE_FIND_ROOT_PATH ${DRAVINOR_QT_PREFIX} ${DRAVINOR_SQLITE_PREFIX} /usr/${DRAVINOR_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(QT_HOST_PATH /usr CACHE PATH "The host's Qt, whose tools the cross build runs")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "The host Qt's CMake packages")

set(DRAVINOR_MINGW_RUNTIME_DLLS "")
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE dll_path OUTPUT_STRIP_TRAILING_WHITESPACE)
  get_filename_component(dll_path "${dll_path}" REALPATH)
  list(APPEND DRAVINOR_MINGW_RUNTIME_DLLS "${dll_path}")
endforeach()

find_program(DRAVINOR_WINE wine)
if(DRAVINOR_WINE)
  set(dll_dirs "")
  if(DRAVINOR_QT_PREFIX)
    list(APPEND dll_dirs "${DRAVINOR_QT_PREFIX}/bin")
  endif()
  foreach(dll_path IN LISTS DRAVINOR_MINGW_RUNTIME_DLLS)
    get_filename_component(dir "${dll_path}" DIRECTORY)
    list(APPEND dll_dirs "${dir}")
  endforeach()
  list(REMOVE_DUPLICATES dll_dirs)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh")
  foreach(dir IN LISTS dll_dirs)
    list(APPEND CMAKE_CROSSCOMPILING_EMULATOR --dll-dir "${dir}")
  endforeach()
  list(APPEND CMAKE_CROSSCOMPILING_EMULATOR --output-after)
endif()
