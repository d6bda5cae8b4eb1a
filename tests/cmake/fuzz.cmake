# fuzz.cmake -- the bitmap loader's fuzz target, built with clang's libFuzzer when the test runs
# and fuzzed from tests/fuzz/seeds for about a minute.
add_test(NAME fuzz.bitmap_loader
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/run_bitmap_fuzz.sh ${CMAKE_BINARY_DIR} 60
         WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
set_tests_properties(fuzz.bitmap_loader PROPERTIES TIMEOUT 400
  ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp")
