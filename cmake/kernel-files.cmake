# kernel-files.cmake -- the instruction sets of the kernel files that need more than the build's
#
# The files of SSE2, AVX2 and AVX-512 code run only where the processor check finds those. An
# IA-32 build keeps to the i686 set and the x87 everywhere else; in these files it also does the
# scalar doubles on SSE2, so that they are IEEE doubles without the x87's wider exponent. The
# 3DNow! file names the MMX registers, which IA-32 code knows only with MMX on. GCC cannot align
# the stack for AVX registers on 64-bit Windows, so there every aligned move is assembled as an
# unaligned one. Source properties hold per folder: each folder that compiles these files calls
# this.
function(zelvonia_kernel_file_flags)
  set(engine ${CMAKE_SOURCE_DIR}/engine)
  set(sse2 "")
  set(mmx "")
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(sse2 -msse2 -mfpmath=sse)
    set(mmx -mmmx)
  endif()
  set(unaligned $<$<PLATFORM_ID:Windows>:-Wa,-muse-unaligned-vector-move>)
  set_source_files_properties(${engine}/kernels_portable.cpp
                              ${engine}/kernels_portable_vector_sse2.cpp
                              PROPERTIES COMPILE_OPTIONS "${sse2}")
  set_source_files_properties(${engine}/kernels_portable_vector_avx2.cpp
                              PROPERTIES COMPILE_OPTIONS "-mavx2;${sse2};${unaligned}")
  set_source_files_properties(${engine}/kernels_portable_vector_avx512.cpp
                              PROPERTIES COMPILE_OPTIONS "-mavx512f;${sse2};${unaligned}")
  set_source_files_properties(${engine}/kernels_3dnow.cpp
                              PROPERTIES COMPILE_OPTIONS "${mmx}")
endfunction()
