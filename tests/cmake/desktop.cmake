# desktop.cmake -- the installed program, its package, start without a display, tool options
foreach(check install package no-display options)
  add_test(NAME desktop.${check}
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/desktop/checks.sh ${check} ${CMAKE_BINARY_DIR})
  set_tests_properties(desktop.${check} PROPERTIES TIMEOUT 300
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp")
endforeach()
set_tests_properties(desktop.install PROPERTIES RUN_SERIAL TRUE)
