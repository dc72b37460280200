# SPDX-License-Identifier: MIT
# A Debian package of everything that is installed: cpack -G DEB in the build folder.
set(CPACK_PACKAGE_NAME orvane-scpi)
set(CPACK_PACKAGE_VENDOR "Orvane")
set(CPACK_PACKAGE_CONTACT "Orvane-SCPI maintainers <scpi@orvane-scpi.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "SCPI command parser library with the demo Parsola")
set(CPACK_PACKAGE_DESCRIPTION
  "Orvane-SCPI Parser parses SCPI program messages against a constant command table, without\
 heap, with exact numbers. The package holds the static libraries, headers, CMake package and\
 pkg-config files, the demo window Parsola, its console twin parsola-cli and the user manual.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
# A Debian package names its licence in share/doc/<package>/copyright, in the machine-readable
# format; the control file has no field for it.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE _orvane_licence)
string(STRIP "${_orvane_licence}" _orvane_licence)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" _orvane_copyright "${_orvane_licence}")
set(_orvane_copyright "${CMAKE_MATCH_1}")
string(REGEX REPLACE "\n\n" "\n.\n" _orvane_licence "${_orvane_licence}")
string(REPLACE "\n" "\n " _orvane_licence "${_orvane_licence}")
file(WRITE ${PROJECT_BINARY_DIR}/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Orvane-SCPI Parser
Source: ${PROJECT_HOMEPAGE_URL}

Files: *
Copyright: ${_orvane_copyright}
License: MIT
 ${_orvane_licence}
")
foreach(component development applications)
  install(FILES ${PROJECT_BINARY_DIR}/copyright DESTINATION ${ORVANE_INSTALL_DOCDIR}
    COMPONENT ${component})
endforeach()
set(CPACK_PACKAGE_HOMEPAGE_URL ${PROJECT_HOMEPAGE_URL})
# The window finds the manual relative to its own folder, so the package installs into /usr
# (CPack's default) whatever prefix the build was configured with.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
# Library dependencies of the programs (Qt, the C++ runtime) come from dpkg-shlibdeps; Qt's
# platform plugins are loaded at run time, so no library names them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(ORVANE_BUILD_GUI)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, fonts-liberation2")
endif()

include(CPack)
