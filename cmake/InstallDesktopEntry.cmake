# Run by `cmake --install` (see Install.cmake): installs the desktop entry with the absolute
# path of the installed viewer in Exec=, because a launcher only finds a bare `orvanto` when
# the install's bin folder is on its PATH. The prefix is only known now: --prefix may differ
# from the one configured. DESTDIR is not part of the path (file(INSTALL) adds it).
#
# Expects ORVANTO_DESKTOP_TEMPLATE, ORVANTO_DESKTOP_STAGING, ORVANTO_BINDIR, ORVANTO_DATADIR.

function(orvanto_installed_path dir out)
  if(IS_ABSOLUTE "${dir}")
    set(${out} "${dir}" PARENT_SCOPE)
  else()
    set(${out} "${CMAKE_INSTALL_PREFIX}/${dir}" PARENT_SCOPE)
  endif()
endfunction()

orvanto_installed_path("${ORVANTO_BINDIR}" bindir)
orvanto_installed_path("${ORVANTO_DATADIR}" datadir)
set(program "${bindir}/orvanto")

# The Exec key's rules: a path with a reserved character is double-quoted, and inside the
# quotes " ` $ \ take a backslash; then, as in every string value, a backslash is doubled,
# and a literal % is written %%.
set(exec "${program}")
if(exec MATCHES "[] \t\n\"'\\\\><~|&;$*?#()`[]")
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" exec "${exec}")
  set(exec "\"${exec}\"")
endif()
string(REPLACE "\\" "\\\\" exec "${exec}")
string(REPLACE "%" "%%" exec "${exec}")

file(READ "${ORVANTO_DESKTOP_TEMPLATE}" entry)
string(REPLACE "\nExec=orvanto\n" "\nExec=${exec}\n" installed "${entry}")
if(installed STREQUAL entry)
  message(FATAL_ERROR "${ORVANTO_DESKTOP_TEMPLATE} has no line Exec=orvanto to complete")
endif()
file(WRITE "${ORVANTO_DESKTOP_STAGING}/orvanto.desktop" "${installed}")
file(INSTALL "${ORVANTO_DESKTOP_STAGING}/orvanto.desktop" DESTINATION "${datadir}/applications")
