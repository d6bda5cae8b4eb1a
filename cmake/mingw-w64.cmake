# mingw-w64.cmake -- cross-compiling for Windows with Debian's MinGW-w64, for the toolchain file
# of each architecture, which sets CMAKE_SYSTEM_PROCESSOR and ZELVONIA_MINGW_PREFIX first
#
# The win32 threads flavour: the posix one links its POSIX thread layer into every program, and
# that layer imports GetTickCount64, which Windows XP lacks. Its C++ library has no std::thread;
# the programs use the system's threads through platform/threads.h.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${ZELVONIA_MINGW_PREFIX}-gcc-win32)
set(CMAKE_CXX_COMPILER ${ZELVONIA_MINGW_PREFIX}-g++-win32)
set(CMAKE_RC_COMPILER ${ZELVONIA_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZELVONIA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Everything static, so that the programs run without any MinGW DLL beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
