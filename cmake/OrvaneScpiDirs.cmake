# SPDX-License-Identifier: MIT
# Installation folders. Included before the targets are defined, because the window is built
# knowing where its manual will be installed: ORVANE_DOC_DIR, relative to the folder of the
# installed programs, so that the installation can be moved (absolute only when the
# documentation folder was given as an absolute path).
include(GNUInstallDirs)

set(ORVANE_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/orvane-scpi)
set(ORVANE_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/OrvaneScpi)
if(IS_ABSOLUTE "${ORVANE_INSTALL_DOCDIR}")
  set(ORVANE_DOC_DIR "${ORVANE_INSTALL_DOCDIR}")
elseif(IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}")
  set(ORVANE_DOC_DIR "${CMAKE_INSTALL_PREFIX}/${ORVANE_INSTALL_DOCDIR}")
else()
  file(RELATIVE_PATH ORVANE_DOC_DIR "/p/${CMAKE_INSTALL_BINDIR}" "/p/${ORVANE_INSTALL_DOCDIR}")
endif()
