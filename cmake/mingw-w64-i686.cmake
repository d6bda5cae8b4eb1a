# mingw-w64-i686.cmake -- cross-compiling for 32-bit Windows; used by scripts/build-windows x86
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ZELVONIA_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

# Code for every IA-32 processor from the Pentium Pro on, arithmetic in the x87 registers: no
# MMX or SSE outside the files whose methods the processor check chooses at run time.
set(CMAKE_C_FLAGS_INIT "-march=i686 -mfpmath=387")
set(CMAKE_CXX_FLAGS_INIT "-march=i686 -mfpmath=387")
