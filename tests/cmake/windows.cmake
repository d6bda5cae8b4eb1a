# windows.cmake -- scripts/build-windows builds build-windows/ (64-bit) and build-windows-x86/
# (32-bit) for tests/windows/test_windows.sh, which runs each zip under Wine, and
# check_programs.sh, which reads the programs' headers and resources; skipped without MinGW-w64
# or Wine (scripts/setup installs both, with the 32-bit Wine)
find_program(ZELVONIA_MINGW_CXX x86_64-w64-mingw32-g++-win32)
find_program(ZELVONIA_WINE wine)
if(NOT ZELVONIA_MINGW_CXX OR NOT ZELVONIA_WINE)
  add_test(NAME windows.build COMMAND sh -c "echo 'no MinGW-w64 or Wine'; exit 77")
  set_tests_properties(windows.build PROPERTIES SKIP_RETURN_CODE 77)
  return()
endif()
# windows.build, .programs and .test for 64-bit Windows; the same with _x86 for 32-bit.
foreach(architecture x86_64 x86)
  if(architecture STREQUAL x86)
    set(suffix _x86)
    set(zip ${CMAKE_SOURCE_DIR}/build-windows-x86/zelvonia-windows-x86.zip)
  else()
    set(suffix "")
    set(zip ${CMAKE_SOURCE_DIR}/build-windows/zelvonia-windows-x86_64.zip)
  endif()
  add_test(NAME windows.build${suffix}
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/build-windows ${architecture})
  add_test(NAME windows.programs${suffix}
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/windows/check_programs.sh ${zip}
                   ${PROJECT_VERSION})
  add_test(NAME windows.test${suffix}
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/windows/test_windows.sh ${CMAKE_BINARY_DIR}
                   ${zip})
  set_tests_properties(windows.build${suffix} PROPERTIES FIXTURES_SETUP windows_build${suffix}
                       TIMEOUT 900 ENVIRONMENT "ZELVONIA_JOBS=2")
  set_tests_properties(windows.programs${suffix} PROPERTIES FIXTURES_REQUIRED
                                                            windows_build${suffix})
  set_tests_properties(windows.test${suffix} PROPERTIES FIXTURES_REQUIRED windows_build${suffix}
                       RUN_SERIAL TRUE TIMEOUT 600)
endforeach()
# One build after the other: each takes every core, and a first run may install packages.
set_tests_properties(windows.build_x86 PROPERTIES DEPENDS windows.build)
