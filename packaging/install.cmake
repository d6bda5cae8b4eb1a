# install.cmake -- install rules and the Debian package of the viewer and its two tools
#
#   cmake --install BUILD --prefix P    the viewer's launcher and the tools under P/bin, the
#                                       program under P/lib/zelvonia, its data under
#                                       P/share/zelvonia, desktop entry, icon, metainfo, manuals
#   cd BUILD && cpack -G DEB            zelvonia_VERSION_amd64.deb, with /usr as prefix (_i386
#                                       from scripts/build-i386)
#
# The viewer reads palety/ and data/ from its working folder, so P/bin/zelvonia is a launcher
# that changes to the data folder found relative to itself (the tree can be moved) and runs the
# program there.
include(GNUInstallDirs)

set(ZELVONIA_PROGRAM_DIR lib/zelvonia)
set(ZELVONIA_DATA_DIR ${CMAKE_INSTALL_DATADIR}/zelvonia)
set(ZELVONIA_APP_ID org.zelvonia.Zelvonia)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                                GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

file(RELATIVE_PATH ZELVONIA_SHARE_FROM_BIN /P/${CMAKE_INSTALL_BINDIR} /P/${ZELVONIA_DATA_DIR})
file(RELATIVE_PATH ZELVONIA_PROGRAM_FROM_BIN /P/${CMAKE_INSTALL_BINDIR} /P/${ZELVONIA_PROGRAM_DIR})
configure_file(${CMAKE_CURRENT_LIST_DIR}/zelvonia.in ${CMAKE_BINARY_DIR}/launcher/zelvonia @ONLY)

install(TARGETS zelvonia RUNTIME DESTINATION ${ZELVONIA_PROGRAM_DIR})
install(PROGRAMS ${CMAKE_BINARY_DIR}/launcher/zelvonia DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS zelvonia-render zelvonia-bench RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/palety/ DESTINATION ${ZELVONIA_DATA_DIR}/palety
        FILES_MATCHING PATTERN "*.pal")
install(FILES ${CMAKE_SOURCE_DIR}/data/font.bmp DESTINATION ${ZELVONIA_DATA_DIR}/data)

set(here ${CMAKE_CURRENT_LIST_DIR})
install(FILES ${here}/${ZELVONIA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${here}/${ZELVONIA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The icon is one of our own pictures, made with
#   zelvonia-render --method 3 --kind julia --seed -0.8 0.156 --view -1.55 3.1 -1.55 3.1 j.png
#   convert j.png -resize 256x256 -strip -define png:exclude-chunks=date,time ICON.png
install(FILES ${here}/${ZELVONIA_APP_ID}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)

# Manual pages and the changelog are installed compressed, as Debian wants them; -n keeps the
# name and time out of the archive, so that builds are reproducible.
set(compressed)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
foreach(page zelvonia.6 zelvonia-render.1 zelvonia-bench.1 changelog)
  set(out ${CMAKE_BINARY_DIR}/packaging/${page}.gz)
  add_custom_command(OUTPUT ${out} COMMAND gzip -9nc ${here}/${page} > ${out}
                     DEPENDS ${here}/${page} VERBATIM)
  list(APPEND compressed ${out})
endforeach()
add_custom_target(zelvonia-manuals ALL DEPENDS ${compressed})
install(FILES ${CMAKE_BINARY_DIR}/packaging/zelvonia.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_BINARY_DIR}/packaging/zelvonia-render.1.gz
              ${CMAKE_BINARY_DIR}/packaging/zelvonia-bench.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${here}/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zelvonia)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelvonia)
set(CPACK_PACKAGE_VENDOR "The Zelvonia developers")
set(CPACK_PACKAGE_CONTACT "The Zelvonia developers <developers@zelvonia.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer of the Mandelbrot set and Julia sets")
set(CPACK_PACKAGE_DESCRIPTION
    "Zelvonia shows the Mandelbrot set or a Julia set, full screen at 800x600 or
in a window, with zoom, panning and eight palettes. Three implementations of
the same escape-time iteration (portable double precision, x87 assembler,
3DNow! assembler) can be compared on a heads-up display. The package also
holds zelvonia-render, which writes the viewer's picture of one view to a
file, and zelvonia-bench, which times the implementations.")
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# CPack takes the architecture from dpkg, which names the build machine's.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE i386)
endif()
# The shared libraries the programs link give most dependencies. SDL opens libGL.so.1 itself, at
# run time, and OpenGL needs a driver besides.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgl1-mesa-dri")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
