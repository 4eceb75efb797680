# Installs the build into a staging folder (DESTDIR) and checks that the
# program, its launcher entry, its AppStream metadata and its icons are
# where a Linux desktop looks for them, and that they still validate there.
file(REMOVE_RECURSE ${STAGE})
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${STAGE}
            ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
    RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(root ${STAGE}/usr)
set(desktop ${root}/share/applications/org.korvane.Korvane.desktop)
set(metainfo ${root}/share/metainfo/org.korvane.Korvane.metainfo.xml)
set(expected ${root}/bin/korvane ${desktop} ${metainfo})
foreach(size 16 32 48 64 128 256)
    list(APPEND expected ${root}/share/icons/hicolor/${size}x${size}/apps/korvane.png)
endforeach()
foreach(path ${expected})
    if(NOT EXISTS ${path})
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()
if(NOT IS_DIRECTORY ${root}/bin OR IS_DIRECTORY ${root}/bin/korvane)
    message(FATAL_ERROR "bin/korvane is not a program")
endif()
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${root} ${root}/*)
list(LENGTH installed count)
list(LENGTH expected expected_count)
if(NOT count EQUAL expected_count)
    message(FATAL_ERROR "unexpected files installed: ${installed}")
endif()

# The launcher starts the installed program on the dropped files and names
# an installed icon; the metadata names the installed launcher.
file(STRINGS ${desktop} exec REGEX "^Exec=")
file(STRINGS ${desktop} icon REGEX "^Icon=")
if(NOT exec STREQUAL "Exec=korvane %F" OR NOT icon STREQUAL "Icon=korvane")
    message(FATAL_ERROR "desktop entry: '${exec}', '${icon}'")
endif()
file(READ ${metainfo} metadata)
if(NOT metadata MATCHES "<launchable type=\"desktop-id\">org.korvane.Korvane.desktop</launchable>")
    message(FATAL_ERROR "metainfo does not name the installed desktop entry")
endif()

foreach(check "${DESKTOP_FILE_VALIDATE};${desktop}" "${APPSTREAMCLI};validate;--no-net;${metainfo}")
    execute_process(COMMAND ${check} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "validation failed: ${check}")
    endif()
endforeach()
file(REMOVE_RECURSE ${STAGE})
