# windows.cmake -- scripts/build-windows builds build-windows/ for tests/windows/test_windows.sh,
# which runs it under Wine; skipped without MinGW-w64 or Wine (scripts/setup installs both)
find_program(ZELVONIA_MINGW_CXX x86_64-w64-mingw32-g++-posix)
find_program(ZELVONIA_WINE wine)
if(NOT ZELVONIA_MINGW_CXX OR NOT ZELVONIA_WINE)
  add_test(NAME windows.build COMMAND sh -c "echo 'no MinGW-w64 or Wine'; exit 77")
  set_tests_properties(windows.build PROPERTIES SKIP_RETURN_CODE 77)
  return()
endif()
add_test(NAME windows.build COMMAND ${CMAKE_SOURCE_DIR}/scripts/build-windows)
add_test(NAME windows.test COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/windows/test_windows.sh
                                   ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR}/build-windows)
set_tests_properties(windows.build PROPERTIES FIXTURES_SETUP windows_build TIMEOUT 900
                     ENVIRONMENT "ZELVONIA_JOBS=2")
set_tests_properties(windows.test PROPERTIES FIXTURES_REQUIRED windows_build RUN_SERIAL TRUE
                     TIMEOUT 600)
