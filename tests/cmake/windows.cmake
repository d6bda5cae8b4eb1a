# windows.cmake -- the Windows build under Wine: scripts/build-windows builds it into
# build-windows/ as the tests' fixture, and the scripts under tests/windows compare it with the
# Linux programs of this build. Without the cross-compiler or Wine (scripts/setup installs both)
# the tests say so and are skipped.
find_program(ZELVONIA_MINGW_CXX x86_64-w64-mingw32-g++-posix)
find_program(ZELVONIA_WINE wine)
file(GLOB ZELVONIA_WINDOWS_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/windows/test_*.sh)
if(NOT ZELVONIA_MINGW_CXX OR NOT ZELVONIA_WINE)
  add_test(NAME windows.build COMMAND sh -c "echo 'no MinGW-w64 or Wine; scripts/setup installs them'; exit 77")
  set_tests_properties(windows.build PROPERTIES SKIP_RETURN_CODE 77)
  return()
endif()

add_test(NAME windows.build COMMAND ${CMAKE_SOURCE_DIR}/scripts/build-windows)
set_tests_properties(windows.build PROPERTIES FIXTURES_SETUP windows_build TIMEOUT 900
                     ENVIRONMENT "ZELVONIA_JOBS=2")
foreach(script ${ZELVONIA_WINDOWS_TESTS})
  get_filename_component(name ${script} NAME_WE)
  add_test(NAME windows.${name}
           COMMAND bash ${script} ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR}/build-windows)
  set_tests_properties(windows.${name} PROPERTIES FIXTURES_REQUIRED windows_build RUN_SERIAL TRUE
                       TIMEOUT 300)
endforeach()
