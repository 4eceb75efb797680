# Runs at install time (cmake --install, CPack): writes the launcher entry
# with the program's installed path and installs it, then refreshes the
# desktop's caches for an install straight into the running system.
# Expects KORVANE_DESKTOP_TEMPLATE, KORVANE_DESKTOP_STAGING,
# KORVANE_INSTALL_BINDIR and KORVANE_INSTALL_DATADIR.

function(korvane_install_path out relative)
    if(IS_ABSOLUTE "${relative}")
        set(${out} "${relative}" PARENT_SCOPE)
    else()
        set(${out} "${CMAKE_INSTALL_PREFIX}/${relative}" PARENT_SCOPE)
    endif()
endfunction()

korvane_install_path(bindir "${KORVANE_INSTALL_BINDIR}")
korvane_install_path(datadir "${KORVANE_INSTALL_DATADIR}")
set(program "${bindir}/korvane")

# Exec takes a quoted argument where the path has a space or a character
# with a meaning there; inside the quotes ", `, $ and \ take a backslash,
# and the entry's own string escaping doubles every backslash once more.
if(program MATCHES "[] \t\n\"'\\\\><~|&;$*?#()`=%[]")
    string(REPLACE "\\" "\\\\" quoted "${program}")
    string(REPLACE "\"" "\\\"" quoted "${quoted}")
    string(REPLACE "`" "\\`" quoted "${quoted}")
    string(REPLACE "$" "\\$" quoted "${quoted}")
    string(REPLACE "\\" "\\\\" quoted "${quoted}")
    string(REPLACE "%" "%%" quoted "${quoted}")
    set(KORVANE_EXEC "\"${quoted}\"")
else()
    set(KORVANE_EXEC "${program}")
endif()

get_filename_component(entry_name "${KORVANE_DESKTOP_TEMPLATE}" NAME_WLE)
configure_file("${KORVANE_DESKTOP_TEMPLATE}" "${KORVANE_DESKTOP_STAGING}/${entry_name}" @ONLY)
file(INSTALL DESTINATION "${datadir}/applications" TYPE FILE
     FILES "${KORVANE_DESKTOP_STAGING}/${entry_name}")

# A package or staged install (DESTDIR) leaves this to the system's package
# manager (dpkg's triggers run the same tools).
if(NOT "$ENV{DESTDIR}" STREQUAL "")
    return()
endif()
find_program(UPDATE_DESKTOP_DATABASE update-desktop-database)
if(UPDATE_DESKTOP_DATABASE)
    message(STATUS "Refreshing ${datadir}/applications/mimeinfo.cache")
    execute_process(COMMAND "${UPDATE_DESKTOP_DATABASE}" -q "${datadir}/applications")
endif()
# An icon cache, where one exists, would hide the new icons until rebuilt;
# without one the icon folders are read directly.
find_program(GTK_UPDATE_ICON_CACHE NAMES gtk-update-icon-cache gtk4-update-icon-cache)
if(GTK_UPDATE_ICON_CACHE AND EXISTS "${datadir}/icons/hicolor/icon-theme.cache")
    message(STATUS "Refreshing ${datadir}/icons/hicolor/icon-theme.cache")
    execute_process(COMMAND "${GTK_UPDATE_ICON_CACHE}" -q -t -f "${datadir}/icons/hicolor")
endif()
