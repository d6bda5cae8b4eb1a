# font_sample.cmake -- prints both glyph sets into build/font-sample.png, for a person to look at
add_test(NAME tool.font_sample COMMAND zelvonia-font-sample ${CMAKE_BINARY_DIR}/font-sample.png
         WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
set_tests_properties(tool.font_sample PROPERTIES
  ENVIRONMENT "SDL_VIDEODRIVER=offscreen;LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp")
