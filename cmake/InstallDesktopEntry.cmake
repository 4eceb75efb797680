# Runs at install time (cmake --install, CPack): writes the files that start
# the program by its installed path (the launcher entry, the Dolphin service
# menu, the Nemo action and Thunar's Send To entry) and installs them, then refreshes the icon cache
# for an install straight into the running system.
# Expects KORVANE_DESKTOP_TEMPLATES (a list of TEMPLATE=FOLDER, FOLDER under
# the data folder), KORVANE_DESKTOP_STAGING, KORVANE_INSTALL_BINDIR and
# KORVANE_INSTALL_DATADIR.

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

# KDE runs a service menu from outside the system's folders only when it is
# marked executable; the system's own folders take plain files.
set(permissions OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
if(NOT datadir MATCHES "^/usr(/local)?/share$")
    list(APPEND permissions OWNER_EXECUTE GROUP_EXECUTE WORLD_EXECUTE)
endif()
foreach(pair IN LISTS KORVANE_DESKTOP_TEMPLATES)
    string(REGEX REPLACE "=.*$" "" template "${pair}")
    string(REGEX REPLACE "^.*=" "" folder "${pair}")
    get_filename_component(entry_name "${template}" NAME_WLE)
    configure_file("${template}" "${KORVANE_DESKTOP_STAGING}/${entry_name}" @ONLY)
    set(mode FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    if(folder STREQUAL "kio/servicemenus")
        set(mode FILE_PERMISSIONS ${permissions})
    endif()
    file(INSTALL DESTINATION "${datadir}/${folder}" TYPE FILE ${mode}
         FILES "${KORVANE_DESKTOP_STAGING}/${entry_name}")
endforeach()

# A package or staged install (DESTDIR) leaves this to the system's package
# manager (dpkg's triggers run the same tools).
if(NOT "$ENV{DESTDIR}" STREQUAL "")
    return()
endif()
# The entries claim no file type, so the MIME cache of the applications
# folder has nothing to learn and is left alone.
# An icon cache, where one exists, would hide the new icons until rebuilt;
# without one the icon folders are read directly.
find_program(GTK_UPDATE_ICON_CACHE NAMES gtk-update-icon-cache gtk4-update-icon-cache)
if(GTK_UPDATE_ICON_CACHE AND EXISTS "${datadir}/icons/hicolor/icon-theme.cache")
    message(STATUS "Refreshing ${datadir}/icons/hicolor/icon-theme.cache")
    execute_process(COMMAND "${GTK_UPDATE_ICON_CACHE}" -q -t -f "${datadir}/icons/hicolor")
endif()
