# Install rules and the Debian package (Linux only): the launcher as `verdal`
# and `verdal-bench`, the programs it starts in libexec, the generated data in
# share/verdal, and the desktop entry, icon, manual pages and docs.
include(GNUInstallDirs)
set(VERDAL_LIBEXEC_DIR ${CMAKE_INSTALL_LIBEXECDIR}/verdal)
set(VERDAL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/verdal)
set(VERDAL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/verdal)
set(installed ${CMAKE_BINARY_DIR}/installed)

configure_file(${CMAKE_SOURCE_DIR}/tools/launcher/verdal-launcher.in ${installed}/verdal @ONLY)
install(PROGRAMS ${installed}/verdal DESTINATION ${CMAKE_INSTALL_BINDIR})
install(PROGRAMS ${installed}/verdal DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME verdal-bench)
install(TARGETS verdal verdal-bench DESTINATION ${VERDAL_LIBEXEC_DIR})
foreach(dir Scene Shader Textures Validation)
  install(DIRECTORY ${CMAKE_BINARY_DIR}/run/${dir} DESTINATION ${VERDAL_DATA_DIR})
endforeach()

# The icon comes from the data generator; manual pages and the changelog are
# compressed as Debian keeps them (gzip -n: no name or time stamp inside).
add_custom_command(OUTPUT ${installed}/verdal.svg
  COMMAND verdal-assets --icon ${installed}/verdal.svg DEPENDS verdal-assets VERBATIM)
set(compressed)
foreach(file man/verdal.6 man/verdal-bench.6 changelog)
  get_filename_component(name ${file} NAME)
  add_custom_command(OUTPUT ${installed}/${name}.gz
    COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/docs/${file} > ${installed}/${name}.gz
    DEPENDS ${CMAKE_SOURCE_DIR}/docs/${file})
  list(APPEND compressed ${installed}/${name}.gz)
endforeach()
add_custom_target(verdal_install_files ALL DEPENDS ${installed}/verdal.svg ${compressed})

install(FILES ${installed}/verdal.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/docs/verdal.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${installed}/verdal.6.gz ${installed}/verdal-bench.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/docs/copyright ${installed}/changelog.gz
  DESTINATION ${VERDAL_DOC_DIR})

# cpack -G DEB in a build tree (scripts/package does it): the runtime
# libraries the programs link (found by dpkg-shlibdeps), and what they load
# without linking: Mesa's drivers, and the fonts the overlay is drawn in.
set(CPACK_PACKAGE_NAME verdal)
set(CPACK_PACKAGE_VENDOR "The Verdal developers")
set(CPACK_PACKAGE_CONTACT "The Verdal developers <verdal@verdal.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "real-time OpenGL demo of an outdoor scene")
# CPack puts the summary above this text and indents it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Verdal renders a valley with terrain, trees, a grass meadow, water with
reflection and refraction, an animated sky, shadows and depth of field,
along three camera tours or in free flight. verdal-bench runs it without a
display and reports frame times.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://verdal.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libgl1-mesa-dri, libegl-mesa0, libglx-mesa0, fonts-liberation | fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libdecor-0-plugin-1-cairo, zenity")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_GENERATOR DEB)
include(CPack)
