# windows-zip.cmake -- zelvonia-windows-x86.zip or zelvonia-windows-x86_64.zip for Windows users:
# the three programs, the palettes, the font, README.txt and the licence, built with the programs
set(ZELVONIA_ZIP ${CMAKE_BINARY_DIR}/zelvonia-windows-${ZELVONIA_WINDOWS_ARCH}.zip)
file(GLOB ZELVONIA_ZIP_FILES CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/palety/* ${CMAKE_SOURCE_DIR}/data/font.bmp ${CMAKE_SOURCE_DIR}/LICENSE
     ${CMAKE_SOURCE_DIR}/docs/windows-readme.txt ${CMAKE_SOURCE_DIR}/cmake/make-windows-zip.cmake)
set(ZELVONIA_ZIP_PROGRAMS
    $<TARGET_FILE:zelvonia> $<TARGET_FILE:zelvonia-render> $<TARGET_FILE:zelvonia-bench>)
add_custom_command(
  OUTPUT ${ZELVONIA_ZIP}
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR} -DBUILD=${CMAKE_BINARY_DIR}
          -DVERSION=${PROJECT_VERSION} -DZIP=${ZELVONIA_ZIP} "-DPROGRAMS=${ZELVONIA_ZIP_PROGRAMS}"
          -P ${CMAKE_SOURCE_DIR}/cmake/make-windows-zip.cmake
  DEPENDS zelvonia zelvonia-render zelvonia-bench ${ZELVONIA_ZIP_FILES}
  VERBATIM)
add_custom_target(windows-zip ALL DEPENDS ${ZELVONIA_ZIP})
