# Installs the build into a staging folder (DESTDIR) under PREFIX and checks
# that the program, its launcher entry, AppStream metadata, icons, man page
# and copyright are where a Linux desktop looks for them, that the launcher
# starts the installed program by its full path, and that the entry and the
# metadata validate there.
file(REMOVE_RECURSE ${STAGE})
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${STAGE}
            ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
    RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(root ${STAGE}${PREFIX})
set(desktop ${root}/share/applications/org.korvane.Korvane.desktop)
set(metainfo ${root}/share/metainfo/org.korvane.Korvane.metainfo.xml)
set(expected ${root}/bin/korvane ${desktop} ${metainfo} ${root}/share/man/man1/korvane.1.gz
             ${root}/share/doc/korvane/copyright ${root}/share/doc/korvane/changelog.gz)
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
# Only these: a staged install refreshes no caches (mimeinfo.cache).
file(GLOB_RECURSE installed LIST_DIRECTORIES false ${STAGE}/*)
list(LENGTH installed count)
list(LENGTH expected expected_count)
if(NOT count EQUAL expected_count)
    message(FATAL_ERROR "unexpected files installed: ${installed}")
endif()

# The launcher starts the installed program, by its full path, on the
# dropped files; the path is quoted where it has a space.
file(STRINGS ${desktop} exec REGEX "^Exec=")
file(STRINGS ${desktop} icon REGEX "^Icon=")
file(STRINGS ${desktop} wm_class REGEX "^StartupWMClass=")
if(PREFIX MATCHES " ")
    set(expected_exec "Exec=\"${PREFIX}/bin/korvane\" %F")
else()
    set(expected_exec "Exec=${PREFIX}/bin/korvane %F")
endif()
if(NOT exec STREQUAL expected_exec OR NOT icon STREQUAL "Icon=korvane"
   OR NOT wm_class STREQUAL "StartupWMClass=korvane")
    message(FATAL_ERROR "desktop entry: '${exec}', '${icon}', '${wm_class}'; "
                        "expected '${expected_exec}'")
endif()

# The metadata names the installed launcher and this version's release.
file(READ ${metainfo} metadata)
if(NOT metadata MATCHES "<launchable type=\"desktop-id\">org.korvane.Korvane.desktop</launchable>")
    message(FATAL_ERROR "metainfo does not name the installed desktop entry")
endif()
if(NOT metadata MATCHES "<release version=\"${VERSION}\" date=\"[0-9]+-[0-9]+-[0-9]+\"/>")
    message(FATAL_ERROR "metainfo has no release ${VERSION}")
endif()

foreach(check "${DESKTOP_FILE_VALIDATE};${desktop}" "${APPSTREAMCLI};validate;--no-net;${metainfo}")
    execute_process(COMMAND ${check} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "validation failed: ${check}")
    endif()
endforeach()
file(REMOVE_RECURSE ${STAGE})
