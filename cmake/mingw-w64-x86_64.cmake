# mingw-w64-x86_64.cmake -- cross-compiling for 64-bit Windows; used by scripts/build-windows
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZELVONIA_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
