# emulated.cmake -- the kernel tests under qemu-x86_64 -cpu phenom, an emulated processor with
# 3DNow!, where the native 3DNow! kernels run and must follow their definition
#
# The emulator runs no AddressSanitizer, so the kernels and their test are built once more here
# without sanitizers. Only the 3DNow! families and the processor check run there: emulated x87
# arithmetic is slow and tells nothing new.
file(GLOB ZELVONIA_KERNEL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/engine/kernels_*.cpp)
add_executable(emulated_engine_tests ${CMAKE_CURRENT_SOURCE_DIR}/test_kernels.cpp
  ${ZELVONIA_KERNEL_SOURCES} ${CMAKE_SOURCE_DIR}/engine/processor_check.cpp
  ${CMAKE_SOURCE_DIR}/engine/viewer_state.cpp ${CMAKE_SOURCE_DIR}/engine/palette_table.cpp
  ${CMAKE_SOURCE_DIR}/platform/cpuid.cpp)
# Source properties hold per folder: the AVX2 file needs its flag here as well.
set_source_files_properties(${CMAKE_SOURCE_DIR}/engine/kernels_portable_vector_avx2.cpp
                            PROPERTIES COMPILE_OPTIONS -mavx2)
target_include_directories(emulated_engine_tests PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(emulated_engine_tests PRIVATE GTest::gtest_main)

find_program(ZELVONIA_QEMU_X86_64 qemu-x86_64)
if(ZELVONIA_QEMU_X86_64)
  add_test(NAME emulated.engine_tests
           COMMAND ${ZELVONIA_QEMU_X86_64} -cpu phenom $<TARGET_FILE:emulated_engine_tests>
                   --gtest_filter=*ThreeDNow*:ProcessorCheck.*)
else()
  add_test(NAME emulated.engine_tests
           COMMAND sh -c "echo 'qemu-x86_64 not found; scripts/setup installs qemu-user' >&2; exit 1")
endif()
# The check must find 3DNow! there, so the native kernels cannot skip.
set_tests_properties(emulated.engine_tests PROPERTIES ENVIRONMENT "ZELVONIA_EXPECT_3DNOW=1"
                     TIMEOUT 1200)
