# What `cmake --install` puts in place and the Debian package that `cpack -G DEB` makes of it
# (vendrel_<version>_<arch>.deb): the command, the filter module, the dialog window library beside the module
# (when GTK 2 was there to build it) and the presets (installed before this file is read), the GIMP plug-in
# program in GIMP's system plug-in folder with the module and presets beside it (where it looks for them), the
# man page, and the README and LICENSE in the documentation folder. The package's
# dependencies are read off the libraries its programs link, by dpkg-shlibdeps.

set(VENDREL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/vendrel)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${VENDREL_DOC_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${VENDREL_DOC_DIR}/docs FILES_MATCHING PATTERN "*.png")

# Man pages are installed compressed, as Debian's policy asks.
set(VENDREL_MAN_PAGE ${PROJECT_BINARY_DIR}/vendrel.1.gz)
add_custom_command(OUTPUT ${VENDREL_MAN_PAGE}
  COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/docs/vendrel.1 > ${VENDREL_MAN_PAGE}
  DEPENDS ${PROJECT_SOURCE_DIR}/docs/vendrel.1)
add_custom_target(vendrel_man_page ALL DEPENDS ${VENDREL_MAN_PAGE})
install(FILES ${VENDREL_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(TARGET vendrel-gimp)
  # GIMP's plug-in folder, relative to the install prefix (/usr/lib/gimp/2.0/plug-ins on Debian). GIMP runs the
  # program of a plug-in folder that bears the folder's name; the module beside it is not executable, or GIMP
  # would take it for a plug-in program of its own. Both are installed as targets, so that packages strip them.
  pkg_get_variable(VENDREL_GIMP_LIBDIR gimp-2.0 gimplibdir)
  string(REGEX REPLACE "^/usr/" "" VENDREL_GIMP_LIBDIR "${VENDREL_GIMP_LIBDIR}")
  set(VENDREL_GIMP_PLUGIN_DIR ${VENDREL_GIMP_LIBDIR}/plug-ins/vendrel-gimp)
  install(TARGETS vendrel-gimp RUNTIME DESTINATION ${VENDREL_GIMP_PLUGIN_DIR})
  install(TARGETS vendrel_module LIBRARY DESTINATION ${VENDREL_GIMP_PLUGIN_DIR}
          PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/presets/ DESTINATION ${VENDREL_GIMP_PLUGIN_DIR}/presets)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vendrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Vendrel")
set(CPACK_PACKAGE_CONTACT "Vendrel developers <vendrel@users.noreply.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "multi flood fill filter for flatting line art")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "multi flood fill filter for flatting line art
 Vendrel finds every 4-connected area of one colour in an image and fills each
 with a colour of its own, from a swatch file or at random. It flats line art
 for colouring and segments images into regions. The package holds the vendrel
 command, the filter module, swatch presets and the GIMP plug-in.")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS gimp)
include(CPack)
