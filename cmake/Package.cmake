# The Debian package (scripts/package): CPack's DEB generator over the install rules, so the
# package holds exactly what `cmake --install` puts into /usr. Included after Install.cmake.

if(NOT (UNIX AND NOT APPLE) OR NOT TARGET orvanto)
  return()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvanto)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "The Orvanto developers")
set(CPACK_PACKAGE_CONTACT "${ORVANTO_PACKAGE_MAINTAINER}")
# The install rules write the desktop entry with the installed viewer's path, so the staging
# folder must be DESTDIR with /usr as the prefix, not a prefix of its own.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # orvanto_VERSION_ARCH.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ORVANTO_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ORVANTO_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries come from dpkg-shlibdeps. What it cannot see is recommended: xdg-open starts
# the help text's viewer and the browser, and a font with Chinese characters draws the window.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "xdg-utils, fonts-noto-cjk | fonts-wqy-microhei | fonts-wqy-zenhei")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "class timetable viewer for students")
# CPack puts the summary above this as the synopsis line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Orvanto shows a student's class timetable one teaching week at a time. It
reads the timetable straight from an Excel workbook (.xls or .xlsx), shows
the week as a grid of five big periods by seven weekdays, marks today and
works out the teaching week from the date.
.
orvanto-cli prints the same grid as text or JSON, exports the term as an
iCalendar file and prints a day's classes.")
include(CPack)

# Builds the package from this build and checks it as a user's system would see it. A
# sanitizer build is no package anyone installs, so it is not packaged.
if(ORVANTO_BUILD_TESTS AND NOT ORVANTO_SANITIZE)
  add_test(NAME Package
           COMMAND bash "${CMAKE_SOURCE_DIR}/tests/package/check-package.sh" "${CMAKE_BINARY_DIR}"
                   "${CMAKE_BINARY_DIR}/package test" "${ORVANTO_APPSTREAM_ID}")
  set_tests_properties(Package PROPERTIES FIXTURES_REQUIRED programs TIMEOUT 600
                       RESOURCE_LOCK orvanto_install)
endif()
