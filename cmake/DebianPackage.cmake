# The Debian package: cpack -G DEB in the build folder makes kxledgerwiz_VERSION_ARCH.deb
# with everything `cmake --install` installs, under /usr. Its dependencies come
# from dpkg-shlibdeps, so the build machine needs dpkg-dev.
set(KX_DEBIAN_DOC ${CMAKE_INSTALL_DATAROOTDIR}/doc/kxledgerwiz)

# Debian wants the copyright and a compressed changelog in the package's doc folder.
set(changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
add_custom_command(
  OUTPUT ${changelog}
  COMMAND gzip -9 -n -c ${CMAKE_SOURCE_DIR}/packaging/changelog > ${changelog}
  DEPENDS ${CMAKE_SOURCE_DIR}/packaging/changelog
  COMMENT "Compressing the package's changelog")
add_custom_target(package_changelog ALL DEPENDS ${changelog})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${changelog} DESTINATION ${KX_DEBIAN_DOC})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kxledgerwiz)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "kxLedgerWiz")
set(CPACK_PACKAGE_CONTACT "kxLedgerWiz developers <kxledgerwiz@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "new account book wizard control for Qt hosts")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CPACK_PACKAGING_INSTALL_PREFIX}/${KX_PRIVATE_LIBDIR})
# Registers libkxLedgerWiz.so.1 (shlibs file, ldconfig trigger).
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_SOURCE_DIR}/packaging/triggers)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Debian ships binaries without their symbols.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-base-dev")
# CPack puts the summary above this text and indents it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "kxLedgerWiz is the new-account-book wizard of a small-business accounting
application: the component library libkxLedgerWiz.so with its embeddable Qt
Widgets control CreatLedgerWiz, and the program ledgerwiz, which opens the
wizard window and creates, lists and converts account books headless.

Host programs find the library with find_package(kxLedgerWiz) or pkg-config
and drive the control through Qt's meta-object.")
include(CPack)
