# i386-linux.cmake -- the 32-bit Linux build with the host's multilib GCC and Debian's i386
# libraries; used by scripts/build-i386
#
# Plain i686 code, without MMX or SSE: the programs must start on every i686 processor (Pentium
# Pro and II, the Athlons without SSE). The files that use more ask for it themselves, and the
# processor check decides at run time whether their code runs.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT "-m32 -march=i686")
set(CMAKE_CXX_FLAGS_INIT "-m32 -march=i686")
set(CMAKE_EXE_LINKER_FLAGS_INIT -m32)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -m32)

# The libraries, their CMake packages and pkg-config files of i386 alone, never the host's.
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/i386-linux-gnu/pkgconfig:/usr/share/pkgconfig)
