# windows.cmake -- scripts/build-windows builds build-windows/ for tests/windows/test_windows.sh,
# which runs it under Wine, and check_programs.sh, which reads the programs' headers and
# resources; skipped without MinGW-w64 or Wine (scripts/setup installs both)
find_program(ZELVONIA_MINGW_CXX x86_64-w64-mingw32-g++-win32)
find_program(ZELVONIA_WINE wine)
if(NOT ZELVONIA_MINGW_CXX OR NOT ZELVONIA_WINE)
  add_test(NAME windows.build COMMAND sh -c "echo 'no MinGW-w64 or Wine'; exit 77")
  set_tests_properties(windows.build PROPERTIES SKIP_RETURN_CODE 77)
  return()
endif()
add_test(NAME windows.build COMMAND ${CMAKE_SOURCE_DIR}/scripts/build-windows)
add_test(NAME windows.test COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/windows/test_windows.sh
                                   ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR}/build-windows)
add_test(NAME windows.programs COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/windows/check_programs.sh
                                       ${CMAKE_SOURCE_DIR}/build-windows ${PROJECT_VERSION})
set_tests_properties(windows.programs PROPERTIES FIXTURES_REQUIRED windows_build)
set_tests_properties(windows.build PROPERTIES FIXTURES_SETUP windows_build TIMEOUT 900
                     ENVIRONMENT "ZELVONIA_JOBS=2")
set_tests_properties(windows.test PROPERTIES FIXTURES_REQUIRED windows_build RUN_SERIAL TRUE
                     TIMEOUT 600)
