# Run by ctest: installs the build into PREFIX and checks the layout the programs rely on.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

get_filename_component(help_name "${HELP_TEXT}" NAME)
set(expected
    "${BINDIR}/orvanto"
    "${BINDIR}/orvanto-cli"
    "${DATADIR}/orvanto/${help_name}"
    "${DATADIR}/orvanto/timetable.xlsx")
if(UNIX AND NOT APPLE)
  list(APPEND expected "${DATADIR}/applications/orvanto.desktop"
       "${DATADIR}/icons/hicolor/scalable/apps/orvanto.svg"
       "${DATADIR}/metainfo/${APPSTREAM_ID}.metainfo.xml"
       "${DATADIR}/bash-completion/completions/orvanto-cli"
       "${MANDIR}/man1/orvanto.1.gz" "${MANDIR}/man1/orvanto-cli.1.gz"
       "${MANDIR}/zh_CN/man1/orvanto.1.gz" "${MANDIR}/zh_CN/man1/orvanto-cli.1.gz"
       "${DATADIR}/doc/orvanto/copyright" "${DATADIR}/doc/orvanto/changelog.gz"
       "${DATADIR}/doc/orvanto/README.md.gz")
  foreach(size 16 24 32 48 64 128 256)
    list(APPEND expected "${DATADIR}/icons/hicolor/${size}x${size}/apps/orvanto.png")
  endforeach()
endif()
foreach(path IN LISTS expected)
  if(NOT EXISTS "${PREFIX}/${path}")
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()

# The help text must arrive byte for byte (BOM and CR LF included).
file(SHA256 "${HELP_TEXT}" source_hash)
file(SHA256 "${PREFIX}/${DATADIR}/orvanto/${help_name}" installed_hash)
if(NOT source_hash STREQUAL installed_hash)
  message(FATAL_ERROR "help text changed on its way into ${DATADIR}/orvanto")
endif()
# Nothing the programs write is installed: settings are the user's.
foreach(settings path.ini term.ini)
  if(EXISTS "${PREFIX}/${BINDIR}/${settings}")
    message(FATAL_ERROR "${settings} was installed into ${BINDIR}")
  endif()
endforeach()
# The desktop entry starts the installed viewer by its absolute path (PREFIX holds a space,
# so the path must be quoted as the entry's Exec rules ask), and is valid for launchers.
if(UNIX AND NOT APPLE)
  set(entry "${PREFIX}/${DATADIR}/applications/orvanto.desktop")
  file(STRINGS "${entry}" exec REGEX "^Exec=")
  set(expected_exec "Exec=\"${PREFIX}/${BINDIR}/orvanto\"")
  if(NOT exec STREQUAL expected_exec)
    message(FATAL_ERROR "desktop entry has '${exec}', expected '${expected_exec}'")
  endif()
  find_program(validate desktop-file-validate)
  if(NOT validate)
    message(FATAL_ERROR "desktop-file-validate is missing (scripts/install-deps installs it)")
  endif()
  execute_process(COMMAND "${validate}" "${entry}" RESULT_VARIABLE result
                  OUTPUT_VARIABLE complaints ERROR_VARIABLE complaints)
  if(NOT result EQUAL 0 OR NOT complaints STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate: ${complaints}")
  endif()
endif()

file(REMOVE_RECURSE "${PREFIX}")
