# The POSIX calls of the plain layers on Windows (src/windows/PosixCalls.h),
# for every target of ours from here on.
add_subdirectory(src/windows)
add_compile_options(-include ${PROJECT_SOURCE_DIR}/src/windows/PosixCalls.h)
link_libraries(dravinor_posixcalls)
