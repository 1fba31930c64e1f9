# What a Linux install carries beside the programs (included by Install.cmake): the man pages,
# compressed as Debian wants them; the AppStream metainfo software centres read; the bash
# completion of orvanto-cli; the copyright and changelog every Debian package holds, and the
# README the man pages point to.
# The version and release date are filled in from CMakeLists.txt.

set(documents "${CMAKE_BINARY_DIR}/generated/documents")
find_program(ORVANTO_GZIP gzip REQUIRED)

# -n keeps the name and time out of the header, so the same page gives the same bytes. The
# pages are in English and, read by man under a zh_CN locale, in Chinese.
set(pages)
set(pages_zh_CN)
foreach(language IN ITEMS "" zh_CN)
  foreach(page orvanto.1 orvanto-cli.1)
    set(source "${ORVANTO_RESOURCES}/man/${language}/${page}")
    set(configured "${documents}/man/${language}/${page}")
    configure_file("${source}" "${configured}" @ONLY)
    add_custom_command(OUTPUT "${configured}.gz"
                       COMMAND "${ORVANTO_GZIP}" -9nf -k "${configured}"
                       DEPENDS "${configured}" VERBATIM)
    if(language)
      list(APPEND pages_zh_CN "${configured}.gz")
    else()
      list(APPEND pages "${configured}.gz")
    endif()
  endforeach()
endforeach()

configure_file("${ORVANTO_RESOURCES}/orvanto.metainfo.xml.in"
               "${documents}/${ORVANTO_APPSTREAM_ID}.metainfo.xml" @ONLY)

# A package of its own making (native): its one changelog entry is this release.
execute_process(COMMAND date -R -u -d "${ORVANTO_RELEASE_DATE}"
                OUTPUT_VARIABLE release_time OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
file(WRITE "${documents}/changelog"
     "orvanto (${PROJECT_VERSION}) stable; urgency=medium\n\n"
     "  * Release ${ORVANTO_VERSION_TEXT}.\n\n"
     " -- ${ORVANTO_PACKAGE_MAINTAINER}  ${release_time}\n")
add_custom_command(OUTPUT "${documents}/changelog.gz"
                   COMMAND "${ORVANTO_GZIP}" -9nf -k "${documents}/changelog"
                   DEPENDS "${documents}/changelog" VERBATIM)

# The licence in the machine-readable form Debian reads, its text taken from LICENSE.
file(STRINGS "${CMAKE_SOURCE_DIR}/LICENSE" licence_lines)
list(FILTER licence_lines EXCLUDE REGEX "^(MIT License|Copyright .*)$")
set(licence_text "")
foreach(line IN LISTS licence_lines)
  if(line STREQUAL "")
    string(APPEND licence_text " .\n")
  else()
    string(APPEND licence_text " ${line}\n")
  endif()
endforeach()
string(REGEX REPLACE "^( \\.\n)+" "" licence_text "${licence_text}")
file(STRINGS "${CMAKE_SOURCE_DIR}/LICENSE" holders REGEX "^Copyright ")
string(REGEX REPLACE "^Copyright (\\([cC]\\) )?" "" holders "${holders}")
file(WRITE "${documents}/copyright"
     "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
     "Upstream-Name: Orvanto\n"
     "Source: ${ORVANTO_HOMEPAGE}\n\n"
     "Files: *\n"
     "Copyright: ${holders}\n"
     "License: Expat\n${licence_text}")

# The README the man pages point to; compressed, as Debian wants documents over 4 kB.
configure_file("${CMAKE_SOURCE_DIR}/README.md" "${documents}/README.md" COPYONLY)
add_custom_command(OUTPUT "${documents}/README.md.gz"
                   COMMAND "${ORVANTO_GZIP}" -9nf -k "${documents}/README.md"
                   DEPENDS "${documents}/README.md" VERBATIM)

add_custom_target(orvanto_documents ALL DEPENDS ${pages} ${pages_zh_CN} "${documents}/changelog.gz"
                                                "${documents}/README.md.gz")

install(FILES ${pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${pages_zh_CN} DESTINATION ${CMAKE_INSTALL_MANDIR}/zh_CN/man1)
install(FILES "${documents}/${ORVANTO_APPSTREAM_ID}.metainfo.xml"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES "${ORVANTO_RESOURCES}/completion/orvanto-cli"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES "${documents}/copyright" "${documents}/changelog.gz" "${documents}/README.md.gz"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orvanto)
