# Windows resources of the viewer, the help text beside the built program, and what an install
# puts where. Included last, once every target exists.
#
# The programs go into bin; the help text and the sample workbook into share/orvanto, where the
# viewer looks when they are not beside it (../share/orvanto from its executable). The desktop
# entry, icons, AppStream metainfo, man pages and bash completion go where Linux desktops and
# shells look for them. path.ini and term.ini are never installed: the viewer keeps them beside
# itself when it can write there, otherwise in the user's configuration folder.

set(ORVANTO_RESOURCES "${CMAKE_SOURCE_DIR}/resources")
set(ORVANTO_HELP_TEXT "${ORVANTO_RESOURCES}/${ORVANTO_HELP_FILE_NAME}")

if(TARGET orvanto)
  if(WIN32)
    enable_language(RC)
    set_target_properties(orvanto PROPERTIES WIN32_EXECUTABLE ON)
    target_sources(orvanto PRIVATE "${ORVANTO_RESOURCES}/orvanto.rc")
    # The manifest carries the version, so it is generated like core/ProgramInfo.h.
    set(generated "${CMAKE_BINARY_DIR}/generated/resources")
    configure_file("${ORVANTO_RESOURCES}/orvanto.manifest.in" "${generated}/orvanto.manifest" @ONLY)
    # The resource compiler finds the icon, the manifest and core/ProgramInfo.h named in the
    # .rc here.
    set_source_files_properties("${ORVANTO_RESOURCES}/orvanto.rc" TARGET_DIRECTORY orvanto
                                PROPERTIES INCLUDE_DIRECTORIES
                                "${ORVANTO_RESOURCES};${generated};${CMAKE_BINARY_DIR}/generated/orvanto_core")
    if(MSVC)
      # The MSVC linker writes a manifest of its own and merges .manifest sources into it;
      # a second manifest resource in the .rc would collide with it.
      target_sources(orvanto PRIVATE "${generated}/orvanto.manifest")
    else()
      set_source_files_properties("${ORVANTO_RESOURCES}/orvanto.rc" TARGET_DIRECTORY orvanto
                                  PROPERTIES COMPILE_DEFINITIONS ORVANTO_EMBED_MANIFEST)
    endif()
  endif()

  # So that Help > 帮助文档 works from the build tree as it does once installed. A target of
  # its own, as a POST_BUILD step can only be attached in the directory that made orvanto;
  # it runs after orvanto is linked, when the executable's directory surely exists.
  add_custom_target(orvanto_help_text ALL
    COMMAND ${CMAKE_COMMAND} -E copy_if_different "${ORVANTO_HELP_TEXT}" "$<TARGET_FILE_DIR:orvanto>"
    VERBATIM)
  add_dependencies(orvanto_help_text orvanto)

  install(FILES "${ORVANTO_HELP_TEXT}" "${CMAKE_SOURCE_DIR}/examples/timetable.xlsx"
          DESTINATION ${CMAKE_INSTALL_DATADIR}/orvanto)

  if(UNIX AND NOT APPLE)
    install(CODE "
      set(ORVANTO_DESKTOP_TEMPLATE \"${ORVANTO_RESOURCES}/orvanto.desktop\")
      set(ORVANTO_DESKTOP_STAGING \"${CMAKE_BINARY_DIR}/desktop-entry\")
      set(ORVANTO_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
      set(ORVANTO_DATADIR \"${CMAKE_INSTALL_DATADIR}\")
      include(\"${CMAKE_SOURCE_DIR}/cmake/InstallDesktopEntry.cmake\")")
    foreach(size 16 24 32 48 64 128 256)
      install(FILES "${ORVANTO_RESOURCES}/icons/orvanto-${size}.png"
              DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
              RENAME orvanto.png)
    endforeach()
    install(FILES "${ORVANTO_RESOURCES}/icons/orvanto.svg"
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    include(cmake/InstallDocuments.cmake)
  endif()

  # Installs into a scratch prefix and checks that everything lands where the program looks.
  if(ORVANTO_BUILD_TESTS)
    add_test(NAME InstallLayout
             COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR}
                     "-DPREFIX=${CMAKE_BINARY_DIR}/install layout test"
                     -DBINDIR=${CMAKE_INSTALL_BINDIR} -DDATADIR=${CMAKE_INSTALL_DATADIR}
                     -DMANDIR=${CMAKE_INSTALL_MANDIR} -DHELP_TEXT=${ORVANTO_HELP_TEXT}
                     -DAPPSTREAM_ID=${ORVANTO_APPSTREAM_ID}
                     -P ${CMAKE_SOURCE_DIR}/cmake/CheckInstall.cmake)
    # The install stages the desktop entry in the build tree: one install at a time.
    set_tests_properties(InstallLayout PROPERTIES FIXTURES_REQUIRED programs
                         RESOURCE_LOCK orvanto_install)
  endif()
endif()
