# Run by `cmake --install`: the launcher link on the user's PATH and the desktop entry, both
# naming the program where this install put it (the prefix may be given only now, --prefix).
# TASKWREN_DESKTOP_TEMPLATE and TASKWREN_PROGRAM_DIR are set by the install rules before this runs.

set(prefix "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(program "${CMAKE_INSTALL_PREFIX}/${TASKWREN_PROGRAM_DIR}/taskwren")

# Only a link is replaced: a file of the user's own under that name is left as it is.
set(launcher "${prefix}/bin/taskwren")
file(MAKE_DIRECTORY "${prefix}/bin")
file(RELATIVE_PATH target "${CMAKE_INSTALL_PREFIX}/bin" "${program}")
if(IS_SYMLINK "${launcher}" OR NOT EXISTS "${launcher}")
  file(REMOVE "${launcher}")
  file(CREATE_LINK "${target}" "${launcher}" SYMBOLIC)
  message(STATUS "Installing: ${launcher} -> ${target}")
else()
  message(WARNING "${launcher} is not a link to the program and is left as it is; start ${program} instead")
endif()

# Exec quotes the path and escapes what the shell would read; the key file itself then
# escapes each backslash once more, and a percent sign is a field code unless doubled.
string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" quoted "${program}")
string(REPLACE "\\" "\\\\" quoted "\"${quoted}\"")
string(REPLACE "%" "%%" quoted "${quoted}")
set(TASKWREN_PROGRAM "${program}")
set(TASKWREN_PROGRAM_EXEC "${quoted}")
configure_file("${TASKWREN_DESKTOP_TEMPLATE}" "${prefix}/share/applications/taskwren.desktop" @ONLY)
message(STATUS "Installing: ${prefix}/share/applications/taskwren.desktop")
