# fuzz.cmake -- the bitmap loader's fuzz target: seeds made by a program of this build, the
# target itself built with clang's libFuzzer when the test runs, then fuzzed for about a minute.
add_executable(make-bitmap-seeds ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/make_bitmap_seeds.cpp)
target_include_directories(make-bitmap-seeds PRIVATE ${CMAKE_SOURCE_DIR})
zelvonia_sanitize(make-bitmap-seeds)

add_test(NAME fuzz.bitmap_loader
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/run_bitmap_fuzz.sh ${CMAKE_BINARY_DIR}
                 $<TARGET_FILE:make-bitmap-seeds> 60
         WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
set_tests_properties(fuzz.bitmap_loader PROPERTIES TIMEOUT 400
  ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp")
