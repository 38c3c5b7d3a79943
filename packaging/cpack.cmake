# The Debian package, made by CPack (scripts/package). The libraries it
# depends on are found by dpkg-shlibdeps in the programs it holds; the
# desktop, MIME and icon caches are refreshed by the triggers of the system's
# own packages, so the package needs no maintainer scripts.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zevo3tool)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The ZEVO3 Tool team")
set(CPACK_PACKAGE_CONTACT "ZEVO3 Tool team <zevo3tool-team@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "workbench for the ZEVO3 infrared remote-control unit")
set(CPACK_PACKAGE_DESCRIPTION
    "The ZEVO3 learns the codes of hand-held remotes, stores them under
numbers, emits them on request and holds a button layout. zevo3tool sets up
and searches the serial link, gives a command console with a receive log,
keeps a 70-row code table, arranges codes on a 15 x 8 button layout and
downloads it into the unit, and draws learned waveforms. zevo3 reads, checks
and writes the same files and talks to the unit without a window; zevo3-sim
plays the unit on a pseudo-terminal.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://zevo3tool.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The texts of the windows are Japanese.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk")

include(CPack)
