# i386.cmake -- scripts/build-i386 builds build-i386/ for tests/i386/test_i386.sh, which runs its
# render tool under qemu-i386 as two processors of the 32-bit era against this build's tool: a
# Phenom (3DNow!, SSE2) and an Athlon without SSE, where any SSE instruction is illegal. The
# processor checks run there and on a Pentium II. Skipped without qemu-i386 or the i386 libraries
# (scripts/setup installs both).
find_program(ZELVONIA_QEMU_I386 qemu-i386)
if(NOT ZELVONIA_QEMU_I386 OR NOT EXISTS /usr/lib/i386-linux-gnu/cmake/SDL2)
  add_test(NAME i386.build COMMAND sh -c "echo 'no qemu-i386 or i386 SDL2'; exit 77")
  set_tests_properties(i386.build PROPERTIES SKIP_RETURN_CODE 77)
  return()
endif()
add_test(NAME i386.build COMMAND ${CMAKE_SOURCE_DIR}/scripts/build-i386 --kernel-tests)
set_tests_properties(i386.build PROPERTIES FIXTURES_SETUP i386_build TIMEOUT 900
                     ENVIRONMENT "ZELVONIA_JOBS=2")
set(ZELVONIA_I386_BUILD ${CMAKE_SOURCE_DIR}/build-i386)
foreach(processor phenom athlon)
  set(cpu ${processor})
  if(processor STREQUAL athlon)
    set(cpu athlon,-sse,-sse2)
  endif()
  add_test(NAME i386.pictures.${processor}
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/i386/test_i386.sh ${CMAKE_BINARY_DIR}
                        ${ZELVONIA_I386_BUILD} ${cpu})
  # The kernels are too slow to test under the emulator; the pictures above stand for them.
  add_test(NAME i386.processor_check.${processor}
           COMMAND qemu-i386 -cpu ${cpu} ${ZELVONIA_I386_BUILD}/kernel_tests
                   --gtest_filter=ProcessorCheck.*)
  set_tests_properties(i386.processor_check.${processor} PROPERTIES
                       ENVIRONMENT ZELVONIA_EXPECT_3DNOW=1)
endforeach()
add_test(NAME i386.package COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/i386/check_package.sh
                                   ${ZELVONIA_I386_BUILD})
# A Pentium II, with MMX alone, answers 0x80000000 from outside the extended range: no 3DNow!.
add_test(NAME i386.processor_check.pentium2
         COMMAND qemu-i386 -cpu pentium2 ${ZELVONIA_I386_BUILD}/kernel_tests
                 --gtest_filter=ProcessorCheck.*)
set_tests_properties(i386.pictures.phenom i386.pictures.athlon i386.processor_check.phenom
                     i386.processor_check.athlon i386.processor_check.pentium2 i386.package PROPERTIES
                     FIXTURES_REQUIRED i386_build TIMEOUT 600)
