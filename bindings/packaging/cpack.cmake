# Debian packages of the native build (tools/package.sh): libvorane2-1 (the
# shared library), libvorane2-dev (headers, the C++ interface's library,
# pkg-config files, CMake package), tenvo-term (the program and its manual
# page) and python3-vorane2. Meant for a build configured with
# CMAKE_INSTALL_PREFIX=/usr (Debian's multiarch library directory) and no
# install run path.
set(VORANE2_DEB_RELEASE 1)
set(VORANE2_DEB_VERSION ${PROJECT_VERSION}-${VORANE2_DEB_RELEASE})
set(VORANE2_PACKAGES runtime:libvorane2-1 dev:libvorane2-dev term:tenvo-term)
if(TARGET _vorane2)
  list(APPEND VORANE2_PACKAGES python:python3-vorane2)
endif()

# Every package carries its copyright file and a compressed changelog.
set(changelog ${CMAKE_BINARY_DIR}/packaging/changelog.Debian)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
set(CPACK_COMPONENTS_ALL "")
foreach(entry IN LISTS VORANE2_PACKAGES)
  string(REPLACE ":" ";" parts ${entry})
  list(GET parts 0 component)
  list(GET parts 1 package)
  list(APPEND CPACK_COMPONENTS_ALL ${component})
  configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.Debian.in ${changelog}.${package} @ONLY)
  execute_process(COMMAND gzip -9 -n -f ${changelog}.${package})
  install(FILES ${changelog}.${package}.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package}
          RENAME changelog.Debian.gz COMPONENT ${component})
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package}
          COMPONENT ${component})
  string(TOUPPER ${component} COMPONENT)
  set(CPACK_DEBIAN_${COMPONENT}_PACKAGE_NAME ${package})
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorane2)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "vorane2")
set(CPACK_PACKAGE_CONTACT "vorane2 maintainers <vorane2@example.org>")
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${VORANE2_DEB_RELEASE})
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_STRIP_FILES ON)
# Dependencies on other packages from dpkg-shlibdeps; our own library is
# found in the build tree and named by the component dependencies below.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/lib)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_COMPONENT_DEV_DEPENDS runtime)
set(CPACK_COMPONENT_TERM_DEPENDS runtime)
set(CPACK_COMPONENT_PYTHON_DEPENDS runtime)
# The shared library declares what it provides and runs ldconfig.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/triggers)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_TERM_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION
    "traditional Japanese calendar library\nThe vorane2 library computes the traditional Japanese calendar: the lunisolar\ndate with its leap months, the 24 solar terms, the six-day cycle, the\nsexagenary cycle, the nine stars, the lunar mansions and the selected days.\n\nThis package contains the shared library.")
set(CPACK_DEBIAN_DEV_DESCRIPTION
    "traditional Japanese calendar library - development files\nThe vorane2 library computes the traditional Japanese calendar.\n\nThis package contains the C header, the C++20 interface (vorane2.hpp and its\nstatic library), the pkg-config files and the CMake package.")
set(CPACK_DEBIAN_TERM_DESCRIPTION
    "month sheet of the traditional Japanese calendar in a terminal\ntenvo-term shows a month, three months or a year with one item of the\ntraditional Japanese calendar under each day, the holidays by law, and writes\na year's items as an iCalendar stream.")
set(CPACK_DEBIAN_PYTHON_DESCRIPTION
    "traditional Japanese calendar for Python 3\nThe vorane2 module gives the lunisolar date, the six-day cycle, the\nsexagenary cycle, the nine stars, the lunar mansions, the solar terms, the\nholidays by law and the month sheet of a datetime.date.")
if(TARGET _vorane2)
  # Built for one Python version: this one up to the next.
  string(REPLACE "." ";" version ${VORANE2_PYTHON_VERSION})
  list(GET version 1 minor)
  math(EXPR next_minor "${minor} + 1")
  list(GET version 0 major)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS
      "python3 (>= ${VORANE2_PYTHON_VERSION}~), python3 (<< ${major}.${next_minor})")
endif()
# A manual page is installed compressed.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/compress-manual-pages.cmake)
include(CPack)
