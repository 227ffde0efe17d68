# Installation for a host's developers: the facade's header, the plug-in and the host's side it
# runs on, a CMake package (find_package(Prixel) gives the imported target Prixel::prixel) and a
# pkg-config file (prixel.pc). CPack makes a Debian package of the same files.

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# The installed plug-in finds the host's side beside it, at link time and at run time. Both
# libraries carry the major version in their soname: a host built against 1.x keeps loading 1.x.
set_target_properties(prixel PROPERTIES INSTALL_RPATH "$ORIGIN")
set_target_properties(prixel prixelhost PROPERTIES VERSION ${PROJECT_VERSION}
    SOVERSION ${PROJECT_VERSION_MAJOR})
target_include_directories(prixel INTERFACE $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)

install(FILES src/module/prixel_ctrl.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/prixel)
install(TARGETS prixel prixelhost EXPORT PrixelTargets LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})

set(PRIXEL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Prixel)
install(EXPORT PrixelTargets NAMESPACE Prixel:: DESTINATION ${PRIXEL_CMAKE_DIR})
configure_package_config_file(cmake/PrixelConfig.cmake.in
    ${CMAKE_CURRENT_BINARY_DIR}/PrixelConfig.cmake INSTALL_DESTINATION ${PRIXEL_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/PrixelConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/PrixelConfig.cmake
    ${CMAKE_CURRENT_BINARY_DIR}/PrixelConfigVersion.cmake DESTINATION ${PRIXEL_CMAKE_DIR})

# prixel.pc names its folders from where it stands, so that the installed tree may be moved.
file(RELATIVE_PATH PRIXEL_PC_PREFIX "/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/")
configure_file(cmake/prixel.pc.in ${CMAKE_CURRENT_BINARY_DIR}/prixel.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/prixel.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME prixel)
set(CPACK_PACKAGE_VENDOR "Prixel")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Plug-in linking the estimating application to the Vako Prixel price catalogue")
set(CPACK_PACKAGE_CONTACT "Prixel plug-in developers <prixel@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
include(CPack)
