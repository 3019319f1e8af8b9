# What a host program uses to find the installed library: the CMake package
# (find_package(kxLedgerWiz 1.0) gives the imported target kxLedgerWiz::kxLedgerWiz)
# and the pkg-config file kxLedgerWiz.pc. The package file declares the imported
# target itself: an exported target would carry the project's private libraries
# into the hosts' interface.
include(CMakePackageConfigHelpers)

set(KX_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/kxLedgerWiz)

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/kxLedgerWizConfig.cmake.in
                              ${CMAKE_CURRENT_BINARY_DIR}/kxLedgerWizConfig.cmake
                              INSTALL_DESTINATION ${KX_PACKAGE_DIR}
                              PATH_VARS CMAKE_INSTALL_LIBDIR CMAKE_INSTALL_INCLUDEDIR KX_PRIVATE_LIBDIR)
# The library's interface only grows within a major version (its SONAME).
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/kxLedgerWizConfigVersion.cmake
                                 VERSION ${PROJECT_VERSION}
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/kxLedgerWizConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/kxLedgerWizConfigVersion.cmake
        DESTINATION ${KX_PACKAGE_DIR})

# The .pc file finds the prefix from its own folder, so that the installed tree
# may be put anywhere (cmake --install --prefix, the Debian package).
file(RELATIVE_PATH KX_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
configure_file(${CMAKE_CURRENT_LIST_DIR}/kxLedgerWiz.pc.in ${CMAKE_CURRENT_BINARY_DIR}/kxLedgerWiz.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/kxLedgerWiz.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
