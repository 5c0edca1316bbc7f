# The hardening Debian's dpkg-buildflags gives a package (hardening=+all):
# fortified libc calls, stack protector, PIE, read-only relocations bound at
# start-up. Only in the normal build: the sanitizer and fuzz builds bring
# their own instrumentation, and _FORTIFY_SOURCE needs an optimised build.
include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

# Some compilers define _FORTIFY_SOURCE themselves: undefine it first so our
# level does not redefine theirs.
add_compile_options(
  "$<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>"
  -fstack-protector-strong -Wformat -Werror=format-security)
if(WIN32)
  # mingw's ld knows no -z relro/now: address space randomisation and a
  # non-executable stack and heap are what Windows gives instead.
  add_link_options(LINKER:--dynamicbase LINKER:--nxcompat LINKER:--high-entropy-va)
  # The stack protector's and the fortified calls' checks come from GCC's
  # libssp on mingw, linked in statically: one DLL fewer to ship.
  string(APPEND CMAKE_CXX_STANDARD_LIBRARIES " -l:libssp.a")
else()
  add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()
