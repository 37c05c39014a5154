# What `cmake --install` puts on the card and what the Debian package holds.
#
# Component `ostrand`: the daemon in sbin, trapdecode and ostrand-kdl in
# bin, their manual pages, the guides, the example card, the service unit
# and its configuration. Component `standins`: the stand-ins of the
# transaction service and the trap device, for testing on a machine
# without the card; never packaged.

set(OSTRAND_DOC_FILES
  ${PROJECT_SOURCE_DIR}/docs/definition-language.md
  ${PROJECT_SOURCE_DIR}/docs/trap-records.md
)

install(TARGETS ostrand RUNTIME DESTINATION ${CMAKE_INSTALL_SBINDIR}
        COMPONENT ostrand)
install(FILES ${OSTRAND_DOC_FILES} DESTINATION ${CMAKE_INSTALL_DOCDIR}
        COMPONENT ostrand)
install(FILES ${PROJECT_SOURCE_DIR}/examples/card.kdl
              ${PROJECT_SOURCE_DIR}/examples/card.values
              ${PROJECT_SOURCE_DIR}/examples/card.script
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples COMPONENT ostrand)
# Debian keeps a package's license as its copyright file.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR}
        RENAME copyright COMPONENT ostrand)

# Manual pages go compressed, as Debian installs them.
set(OSTRAND_MAN_PAGES ostrand.8)
if(OSTRAND_BUILD_TOOLS)
  list(APPEND OSTRAND_MAN_PAGES trapdecode.1 ostrand-kdl.1)
  install(TARGETS trapdecode ostrand-kdl RUNTIME
          DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT ostrand)
  install(TARGETS txservice trapdev RUNTIME
          DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT standins
          EXCLUDE_FROM_ALL)
endif()
foreach(page IN LISTS OSTRAND_MAN_PAGES)
  set(source ${PROJECT_SOURCE_DIR}/docs/man/${page})
  set(compressed ${PROJECT_BINARY_DIR}/man/${page}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
    COMMAND gzip -9 -n -c ${source} > ${compressed}
    DEPENDS ${source} VERBATIM)
  list(APPEND OSTRAND_COMPRESSED_PAGES ${compressed})
  string(REGEX REPLACE ".*\\." "" section ${page})
  install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section}
          COMPONENT ostrand)
endforeach()
add_custom_target(manpages ALL DEPENDS ${OSTRAND_COMPRESSED_PAGES})

# The unit names the installed daemon and configuration, wherever the
# prefix puts them.
file(READ ${PROJECT_SOURCE_DIR}/scripts/systemd/ostrand.service OSTRAND_UNIT)
string(REPLACE "/usr/sbin/" "${CMAKE_INSTALL_FULL_SBINDIR}/" OSTRAND_UNIT
       "${OSTRAND_UNIT}")
string(REPLACE "/etc/" "${CMAKE_INSTALL_FULL_SYSCONFDIR}/" OSTRAND_UNIT
       "${OSTRAND_UNIT}")
file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/systemd/ostrand.service
     CONTENT "${OSTRAND_UNIT}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${PROJECT_SOURCE_DIR}/scripts/systemd/ostrand.service)
install(FILES ${PROJECT_BINARY_DIR}/systemd/ostrand.service
        DESTINATION ${CMAKE_INSTALL_PREFIX}/lib/systemd/system
        COMPONENT ostrand)
install(FILES ${PROJECT_SOURCE_DIR}/scripts/systemd/ostrand.default
        DESTINATION ${CMAKE_INSTALL_FULL_SYSCONFDIR}/default RENAME ostrand
        COMPONENT ostrand)

# The Debian package: the `ostrand` component alone, its dependencies
# computed from the binaries by dpkg-shlibdeps. A cross build names its
# architecture (cmake/armhf-toolchain.cmake does); otherwise dpkg's own.
set(OSTRAND_DEB_ARCHITECTURE "" CACHE STRING
    "Debian architecture of the package; empty: this machine's")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ostrand)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "ostrand maintainers <ostrand@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "USB command/status trap handler of the card's controller")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "The daemon compiles the card's definition file into trap instances,\n\
listens on the D-Bus session bus for the transaction signal of the card's\n\
parameter service and writes a trap record to /dev/usb-cs-trap whenever the\n\
state of a trap instance changes. With it come trapdecode, which shows the\n\
records, and ostrand-kdl, which checks, lists and tries a definition file\n\
without a card.")
set(CPACK_DEBIAN_PACKAGE_SECTION admin)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_COMPONENTS_ALL ostrand)
if(OSTRAND_DEB_ARCHITECTURE)
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${OSTRAND_DEB_ARCHITECTURE})
endif()
# The configuration is the card's own: an upgrade keeps local changes.
file(WRITE ${PROJECT_BINARY_DIR}/debian/conffiles
     "${CMAKE_INSTALL_FULL_SYSCONFDIR}/default/ostrand\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_BINARY_DIR}/debian/conffiles)
include(CPack)
