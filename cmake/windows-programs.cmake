# windows-programs.cmake -- what Windows expects of the three programs: our icon and a version
# resource in each, no debug sections in a release build, and the oldest Windows version that
# has every function they import: Windows XP, which is NT 5.1 on 32-bit processors and 5.2 on
# 64-bit ones
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(ZELVONIA_WINDOWS_ARCH x86)
  set(ZELVONIA_WINDOWS_MINOR 1)
else()
  set(ZELVONIA_WINDOWS_ARCH x86_64)
  set(ZELVONIA_WINDOWS_MINOR 2)
endif()

function(zelvonia_windows_program target description)
  set(ZELVONIA_PROGRAM ${target})
  set(ZELVONIA_DESCRIPTION "${description}")
  set(ZELVONIA_ICON ${CMAKE_SOURCE_DIR}/app/win32/zelvonia.ico)
  configure_file(${CMAKE_SOURCE_DIR}/app/win32/program.rc.in ${CMAKE_BINARY_DIR}/${target}.rc
                 @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/${target}.rc)
  set_property(SOURCE ${CMAKE_BINARY_DIR}/${target}.rc TARGET_DIRECTORY ${target} APPEND
               PROPERTY OBJECT_DEPENDS ${ZELVONIA_ICON})
  # Every import is on Windows XP; tests/windows/check_programs.sh checks it.
  target_link_options(
    ${target} PRIVATE $<$<CONFIG:Release>:-s>
    -Wl,--major-subsystem-version,5,--minor-subsystem-version,${ZELVONIA_WINDOWS_MINOR}
    -Wl,--major-os-version,5,--minor-os-version,${ZELVONIA_WINDOWS_MINOR})
endfunction()

zelvonia_windows_program(zelvonia "Zelvonia - Mandelbrotova a Juliova mnozina")
zelvonia_windows_program(zelvonia-render "Zelvonia render tool: the picture of one view")
zelvonia_windows_program(zelvonia-bench "Zelvonia bench tool: the speed of every method")
