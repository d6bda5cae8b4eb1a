# emulated.cmake -- the kernel tests under qemu-x86_64 -cpu phenom, a processor with 3DNow!, built
# once more without sanitizers, which the emulator cannot run. Only the 3DNow! instructions and the
# processor check run there: the packed-pair layer and the x87 and SSE kernels are tested on the
# processor itself, and emulated they are slow and tell nothing new.
file(GLOB ZELVONIA_KERNEL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/engine/kernels_*.cpp)
add_executable(emulated_engine_tests ${CMAKE_CURRENT_SOURCE_DIR}/test_kernels.cpp
  ${ZELVONIA_KERNEL_SOURCES} ${CMAKE_SOURCE_DIR}/engine/processor_check.cpp
  ${CMAKE_SOURCE_DIR}/engine/viewer_state.cpp ${CMAKE_SOURCE_DIR}/engine/palette_table.cpp
  ${CMAKE_SOURCE_DIR}/platform/cpuid.cpp)
zelvonia_kernel_file_flags()
target_include_directories(emulated_engine_tests PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(emulated_engine_tests PRIVATE GTest::gtest_main)
# Without qemu-x86_64 (scripts/setup installs qemu-user) the test fails: its command is missing.
add_test(NAME emulated.engine_tests COMMAND qemu-x86_64 -cpu phenom
         $<TARGET_FILE:emulated_engine_tests> --gtest_filter=ThreeDNowKernels.Native*:ProcessorCheck.*)
# qemu's 3DNow! is IEEE arithmetic, with the infinities and NaN that a processor's saturates.
set_tests_properties(emulated.engine_tests PROPERTIES
                     ENVIRONMENT "ZELVONIA_EXPECT_3DNOW=1;ZELVONIA_IEEE_3DNOW=1" TIMEOUT 1200)
