# programs.cmake -- programs run as a user runs them: the viewer's window, the tour of run.sh
# (it checks each of its pictures), the installed program and its package, the font sample
add_test(NAME e2e.test_viewer COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/test_viewer.sh
                                      ${CMAKE_BINARY_DIR})
add_test(NAME e2e.tour COMMAND ${CMAKE_SOURCE_DIR}/scripts/tour ${CMAKE_BINARY_DIR}
                               ${CMAKE_BINARY_DIR}/tour)
add_test(NAME desktop.checks
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/desktop/checks.sh ${CMAKE_BINARY_DIR})
add_test(NAME tool.font_sample COMMAND zelvonia-font-sample ${CMAKE_BINARY_DIR}/font-sample.png
         WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
set_tests_properties(e2e.test_viewer e2e.tour desktop.checks PROPERTIES RUN_SERIAL TRUE TIMEOUT 600)
set_tests_properties(e2e.test_viewer e2e.tour desktop.checks tool.font_sample PROPERTIES ENVIRONMENT
  "SDL_VIDEODRIVER=offscreen;LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp")
