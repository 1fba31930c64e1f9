# orvanto_platform_sources(<target> <Name>...): adds <Name>Windows.cpp on Windows and
# <Name>Linux.cpp elsewhere (plain POSIX) from the calling folder, the one place where a build
# chooses between the files of a platform.
function(orvanto_platform_sources target)
  if(WIN32)
    set(platform Windows)
  else()
    set(platform Linux)
  endif()
  foreach(name IN LISTS ARGN)
    target_sources(${target} PRIVATE "${CMAKE_CURRENT_SOURCE_DIR}/${name}${platform}.cpp")
  endforeach()
endfunction()
