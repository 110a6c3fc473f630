# Run by `cmake --install`: the launcher link on the user's PATH and the desktop entry, both
# naming the program where this install put it (the prefix may be given only now, --prefix).
# TASKWREN_DESKTOP_TEMPLATE and TASKWREN_PROGRAM_DIR are set by the install rules before this runs.

set(prefix "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(program "${CMAKE_INSTALL_PREFIX}/${TASKWREN_PROGRAM_DIR}/taskwren")

file(MAKE_DIRECTORY "${prefix}/bin")
file(REMOVE "${prefix}/bin/taskwren")
file(RELATIVE_PATH target "${CMAKE_INSTALL_PREFIX}/bin" "${program}")
file(CREATE_LINK "${target}" "${prefix}/bin/taskwren" SYMBOLIC)
message(STATUS "Installing: ${prefix}/bin/taskwren -> ${target}")

# Exec quotes the path and escapes what the shell would read; the key file itself then
# escapes each backslash once more, and a percent sign is a field code unless doubled.
string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" quoted "${program}")
string(REPLACE "\\" "\\\\" quoted "\"${quoted}\"")
string(REPLACE "%" "%%" quoted "${quoted}")
set(TASKWREN_PROGRAM "${program}")
set(TASKWREN_PROGRAM_EXEC "${quoted}")
configure_file("${TASKWREN_DESKTOP_TEMPLATE}" "${prefix}/share/applications/taskwren.desktop" @ONLY)
message(STATUS "Installing: ${prefix}/share/applications/taskwren.desktop")
