# A second compiler over the same Windows code: clang for the mingw-w64
# target, against the headers of the posix-threads mingw-w64 GCC. It only
# compiles (the libraries are static, nothing links), to catch GCC-only code
# and warnings GCC does not raise before MSVC does.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET x86_64-w64-mingw32)
set(CMAKE_CXX_COMPILER_TARGET x86_64-w64-mingw32)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

# Clang 14 does not recognise Debian's "12-posix" GCC directory and would fall
# back to the host's /usr/include; the sysroot keeps it to mingw-w64's headers
# and the C++ library headers are named by hand.
set(_corvane_sysroot /usr/x86_64-w64-mingw32)
file(GLOB _corvane_gcc LIST_DIRECTORIES true /usr/lib/gcc/x86_64-w64-mingw32/*-posix)
list(GET _corvane_gcc -1 _corvane_gcc)
set(_corvane_cxx "${_corvane_gcc}/include/c++")
set(CMAKE_C_FLAGS_INIT "--sysroot=${_corvane_sysroot}")
set(CMAKE_CXX_FLAGS_INIT "--sysroot=${_corvane_sysroot} -nostdinc++ -isystem ${_corvane_cxx} -isystem ${_corvane_cxx}/x86_64-w64-mingw32 -isystem ${_corvane_cxx}/backward")

set(CMAKE_FIND_ROOT_PATH ${_corvane_sysroot})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Compile only: every executable and DLL "links" to nothing, so the whole
# program and its tests build without a clang-ready mingw-w64 runtime.
set(CMAKE_C_LINKER_LAUNCHER "${CMAKE_COMMAND};-E;true")
set(CMAKE_CXX_LINKER_LAUNCHER "${CMAKE_COMMAND};-E;true")
# Nothing here runs: the tests are listed when ctest starts, never at build time.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
