# The Debian package: `cpack -G DEB` in a build tree (scripts/package does it
# for a release build) makes norvo-firmware-upgrade_<version>_<arch>.deb from
# the install rules, with the dependencies dpkg-shlibdeps finds.

# What Debian wants beside the program: a manual page, the copyright file and
# the changelog, the latter two compressed as gzip -9n makes them (no name,
# no time: the same bytes on every build).
find_program(NORVO_GZIP gzip REQUIRED)
set(NORVO_PACKAGE_DIR ${PROJECT_SOURCE_DIR}/resources/package)
set(NORVO_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/${NORVO_PROGRAM})
foreach(file changelog ${NORVO_PROGRAM}.1)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/package/${file}.gz
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/package
                     COMMAND ${NORVO_GZIP} -9n -c ${NORVO_PACKAGE_DIR}/${file} > ${CMAKE_BINARY_DIR}/package/${file}.gz
                     DEPENDS ${NORVO_PACKAGE_DIR}/${file} VERBATIM)
endforeach()
add_custom_target(norvo_package_docs ALL
                  DEPENDS ${CMAKE_BINARY_DIR}/package/changelog.gz ${CMAKE_BINARY_DIR}/package/${NORVO_PROGRAM}.1.gz)
install(FILES ${CMAKE_BINARY_DIR}/package/${NORVO_PROGRAM}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${NORVO_PACKAGE_DIR}/copyright ${CMAKE_BINARY_DIR}/package/changelog.gz DESTINATION ${NORVO_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${NORVO_PROGRAM})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Norvo)
set(CPACK_PACKAGE_CONTACT "Norvo <support@norvo.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "firmware upgrade wizard for the Norvo WRX-270 router")
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop wizard that upgrades a Norvo WRX-270 home router over the router's
own web interface. It finds the router as the PC's default gateway, backs up
the router's settings, uploads the firmware image it carries, waits out the
restart, restores the settings and checks the new version.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Norvo <support@norvo.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://support.norvo.example/products")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
