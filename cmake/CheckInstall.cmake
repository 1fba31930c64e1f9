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
    "${BINDIR}/${help_name}")
if(UNIX AND NOT APPLE)
  list(APPEND expected "${DATADIR}/applications/orvanto.desktop"
       "${DATADIR}/icons/hicolor/scalable/apps/orvanto.svg")
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
file(SHA256 "${PREFIX}/${BINDIR}/${help_name}" installed_hash)
if(NOT source_hash STREQUAL installed_hash)
  message(FATAL_ERROR "help text changed on its way into ${BINDIR}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
