# SPDX-License-Identifier: MIT
# Installation folders. Included before the targets are defined, because the window is built
# knowing where its manual will be installed (ORVANE_DOC_DIR, an absolute path).
include(GNUInstallDirs)

set(ORVANE_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/orvane-scpi)
set(ORVANE_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/OrvaneScpi)
# The public headers; the parser library's INSTALL_INTERFACE include directory is its parent.
set(ORVANE_INSTALL_INCLUDEDIR include/orvane-scpi)
if(IS_ABSOLUTE "${ORVANE_INSTALL_DOCDIR}")
  set(ORVANE_DOC_DIR "${ORVANE_INSTALL_DOCDIR}")
else()
  set(ORVANE_DOC_DIR "${CMAKE_INSTALL_PREFIX}/${ORVANE_INSTALL_DOCDIR}")
endif()
