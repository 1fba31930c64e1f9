# Each library exports only its own folder of src/. Its headers are reached as "folder/X.h"
# through a directory that holds nothing but a link to that folder, so a file that includes
# the header of a library its target does not link fails to compile.
function(orvanto_export_headers target folder)
  set(dir "${CMAKE_BINARY_DIR}/exports/${target}")
  file(MAKE_DIRECTORY "${dir}")
  file(CREATE_LINK "${CMAKE_SOURCE_DIR}/src/${folder}" "${dir}/${folder}" SYMBOLIC)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE "${dir}")
  else()
    target_include_directories(${target} PUBLIC "${dir}")
  endif()
endfunction()
