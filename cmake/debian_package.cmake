# What a system install holds, and the Debian packages made of it:
#
#     scripts/package.sh            # cpack -G DEB on build/dev: build/package/*.deb
#
# Components, and the package each goes into:
#   bastara          bastara and bastara-mkdb in /usr/bin, the desktop entry,
#                    the icon in the hicolor sizes, the AppStream metainfo and
#                    the manual pages                         -> bastara
#   button-dev       the button control's headers, static libraries and CMake
#                    package (cmake/button_package.cmake)     -> bastara-button-dev
#                    and the button as a Qt Designer plugin
#
# Install rules add nothing to the build; cpack installs the components of an
# already built tree.

include(GNUInstallDirs)

set(BASTARA_PACKAGE_MAINTAINER "Bastara maintainers <maintainers@users.noreply.c-seed-6880cf46.example>"
  CACHE STRING "The Maintainer field of the Debian packages (Name <address>)")
set(BASTARA_SCREENSHOT_URL
  "https://bastara.invalid/docs/main-window.png"
  CACHE STRING "Where the AppStream metainfo says the main window's screenshot (docs/main-window.png) is published")

set(_pkg ${PROJECT_SOURCE_DIR}/packaging)
set(_out ${PROJECT_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${_out})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${_pkg}/bastara.1 ${_pkg}/bastara-mkdb.1 ${_pkg}/changelog.in ${_pkg}/org.bastara.Bastara.metainfo.xml.in)

# Manual pages and the changelog go in gzip-compressed, without a time stamp
# (gzip -n), as Debian's policy asks.
function(bastara_gzip_configured source out)
  configure_file(${source} ${out} @ONLY)
  execute_process(COMMAND gzip -9nf ${out} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip ${out} failed")
  endif()
endfunction()
bastara_gzip_configured(${_pkg}/bastara.1 ${_out}/bastara.1)
bastara_gzip_configured(${_pkg}/bastara-mkdb.1 ${_out}/bastara-mkdb.1)
bastara_gzip_configured(${_pkg}/changelog.in ${_out}/changelog)
configure_file(${_pkg}/org.bastara.Bastara.metainfo.xml.in ${_out}/org.bastara.Bastara.metainfo.xml @ONLY)

# --- the program -------------------------------------------------------------
install(TARGETS bastara bastara-mkdb RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT bastara)
install(FILES ${_pkg}/org.bastara.Bastara.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
  COMPONENT bastara)
install(FILES ${_out}/org.bastara.Bastara.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
  COMPONENT bastara)
foreach(size 16 24 32 48 256)
  install(FILES ${_pkg}/icons/bastara-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME bastara.png COMPONENT bastara)
endforeach()
install(FILES ${_out}/bastara.1.gz ${_out}/bastara-mkdb.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT bastara)
foreach(component bastara button-dev)
  if(component STREQUAL "bastara")
    set(_doc ${CMAKE_INSTALL_DATADIR}/doc/bastara)
  else()
    set(_doc ${CMAKE_INSTALL_DATADIR}/doc/bastara-button-dev)
  endif()
  install(FILES ${_pkg}/copyright ${_out}/changelog.gz DESTINATION ${_doc} COMPONENT ${component})
endforeach()

# --- the Qt Designer plugin --------------------------------------------------
# tools/designer_plugin installs it in component button-dev, into Qt's plugin
# folder, where Designer and QUiLoader find it.

# --- the Debian packages -----------------------------------------------------
set(CPACK_PACKAGE_NAME bastara)
set(CPACK_PACKAGE_VENDOR "Bastara")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${BASTARA_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL bastara button-dev)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${BASTARA_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SOURCE bastara)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

set(CPACK_DEBIAN_BASTARA_PACKAGE_NAME bastara)
set(CPACK_DEBIAN_BASTARA_PACKAGE_SECTION database)
# The forms are laid out with these faces; Qt's Persian texts for its dialogs.
set(CPACK_DEBIAN_BASTARA_PACKAGE_DEPENDS "fonts-liberation2, fonts-noto-core")
set(CPACK_DEBIAN_BASTARA_PACKAGE_RECOMMENDS "qt6-translations-l10n, mdbtools")
# The first line is the summary; cpack indents the rest and writes an empty
# line as " .".
set(CPACK_COMPONENT_BASTARA_DESCRIPTION
  "create an Access (Jet 4, .mdb) database file holding one table
Bastara lists the fields of one table by hand (a name, one of the database
engine's field types and a size each) and writes a new Microsoft Access
(Jet 4) database file holding that table. Its windows speak Persian and
read right to left.

bastara-mkdb creates the same files from the command line and can fill the
table from a CSV file.")

set(CPACK_DEBIAN_BUTTON-DEV_PACKAGE_NAME bastara-button-dev)
set(CPACK_DEBIAN_BUTTON-DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_BUTTON-DEV_PACKAGE_ARCHITECTURE amd64)
# Static libraries: what programs built against them need comes from Qt's
# development package, which the CMake package finds.
set(CPACK_DEBIAN_BUTTON-DEV_PACKAGE_DEPENDS "qt6-base-dev (>= 6.4)")
set(CPACK_COMPONENT_BUTTON-DEV_DESCRIPTION
  "Bastara's custom-drawn push button for Qt 6 Widgets programs
The button control of Bastara, its Qt host widget and the drawing and
window layers below them, as static libraries with their headers and a
CMake package:

 find_package(BastaraButton REQUIRED)
 target_link_libraries(my_program PRIVATE Bastara::Button)")

# CPACK_STRIP_FILES strips the programs; this takes the debugging sections
# out of the static libraries too, before the packages are made.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/strip_static_libraries.cmake)

include(CPack)
