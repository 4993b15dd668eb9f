# The button control as a CMake package for other programs:
#
#     find_package(BastaraButton REQUIRED)
#     target_link_libraries(my_program PRIVATE Bastara::Button)
#
# `cmake --install build/dev --prefix P` copies the six static libraries the
# control needs, their headers (under include/, with the paths this source
# tree uses) and the package files, as the install component button-dev
# (the Debian package bastara-button-dev, cmake/debian_package.cmake). Install
# rules add nothing to the build.

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(BASTARA_BUTTON_LIBRARIES bastara_button_host bastara_button bastara_window
  bastara_properties bastara_gdi bastara_qt_values)
set_target_properties(bastara_button_host PROPERTIES EXPORT_NAME Button)
set_target_properties(bastara_button PROPERTIES EXPORT_NAME ButtonControl)
set_target_properties(bastara_window PROPERTIES EXPORT_NAME Window)
set_target_properties(bastara_properties PROPERTIES EXPORT_NAME Properties)
set_target_properties(bastara_gdi PROPERTIES EXPORT_NAME Gdi)
set_target_properties(bastara_qt_values PROPERTIES EXPORT_NAME QtValues)

install(TARGETS ${BASTARA_BUTTON_LIBRARIES} EXPORT BastaraButtonTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT button-dev)

# The public headers of each layer; the layers' internal/ folders stay inside,
# and so does the stored forms' factory, which needs the form runtime.
foreach(folder button button_host platform/gdi platform/window platform/properties
    platform/support)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/${folder}/
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/${folder} COMPONENT button-dev
    FILES_MATCHING PATTERN "*.h"
    PATTERN "internal" EXCLUDE
    PATTERN "form_button_factory.h" EXCLUDE)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/platform/toolkit/qt_values.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/platform/toolkit COMPONENT button-dev)

set(BASTARA_BUTTON_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/BastaraButton)
install(EXPORT BastaraButtonTargets NAMESPACE Bastara:: DESTINATION ${BASTARA_BUTTON_CMAKE_DIR}
  COMPONENT button-dev)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/BastaraButtonConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/BastaraButtonConfig.cmake
  INSTALL_DESTINATION ${BASTARA_BUTTON_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/BastaraButtonConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/BastaraButtonConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/BastaraButtonConfigVersion.cmake
  DESTINATION ${BASTARA_BUTTON_CMAKE_DIR} COMPONENT button-dev)
