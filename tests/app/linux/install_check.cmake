# Installs the build into a staging folder (DESTDIR) under PREFIX and checks
# that the program, its launcher entry, file-manager actions, AppStream
# metadata, icons, man pages and documents are where a Linux desktop looks
# for them, that the launcher and the actions start the installed program by
# its full path, that the program carries no .comment section, and that the
# entry and the metadata validate there.
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
set(actions ${root}/share/kio/servicemenus/org.korvane.Korvane.join.desktop
            ${root}/share/nemo/actions/org.korvane.Korvane.nemo_action
            ${root}/share/Thunar/sendto/org.korvane.Korvane.sendto.desktop)
set(expected ${root}/bin/korvane ${desktop} ${actions} ${metainfo}
             ${root}/share/man/man1/korvane.1.gz ${root}/share/man/ja/man1/korvane.1.gz
             ${root}/share/doc/korvane/copyright ${root}/share/doc/korvane/changelog.gz
             ${root}/share/doc/korvane/changelog.Debian.gz ${root}/share/doc/korvane/README.md
             ${root}/share/icons/hicolor/scalable/apps/korvane.svg
             ${root}/share/doc/korvane/docs/guide.md ${root}/share/doc/korvane/docs/images/linux-dialog.png)
file(GLOB pictures ${root}/share/doc/korvane/docs/images/*.png)
list(REMOVE_ITEM pictures ${root}/share/doc/korvane/docs/images/linux-dialog.png)
list(APPEND expected ${pictures})
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

execute_process(COMMAND readelf -SW ${root}/bin/korvane OUTPUT_VARIABLE sections)
if(NOT sections MATCHES "\\.text" OR sections MATCHES " \\.comment ")
    message(FATAL_ERROR "bin/korvane keeps a .comment section: ${sections}")
endif()

# The launcher and the actions start the installed program, by its full
# path, on the selected files; the path is quoted where it has a space.
file(STRINGS ${desktop} icon REGEX "^Icon=")
file(STRINGS ${desktop} wm_class REGEX "^StartupWMClass=")
if(PREFIX MATCHES " ")
    set(expected_exec "Exec=\"${PREFIX}/bin/korvane\" %F")
else()
    set(expected_exec "Exec=${PREFIX}/bin/korvane %F")
endif()
if(NOT icon STREQUAL "Icon=korvane" OR NOT wm_class STREQUAL "StartupWMClass=korvane")
    message(FATAL_ERROR "desktop entry: '${icon}', '${wm_class}'")
endif()
foreach(file ${desktop} ${actions})
    file(STRINGS ${file} exec REGEX "^Exec=")
    if(NOT exec STREQUAL expected_exec)
        message(FATAL_ERROR "${file}: '${exec}', expected '${expected_exec}'")
    endif()
endforeach()
# KDE takes a service menu from outside the system's folders only when it is
# executable.
list(GET actions 0 service_menu)
execute_process(COMMAND test -x ${service_menu} RESULT_VARIABLE not_executable)
if(PREFIX STREQUAL "/usr" AND not_executable EQUAL 0)
    message(FATAL_ERROR "the system's service menu is executable")
elseif(NOT PREFIX STREQUAL "/usr" AND NOT not_executable EQUAL 0)
    message(FATAL_ERROR "a service menu outside /usr is not executable")
endif()

# The metadata names the installed launcher and this version's release.
file(READ ${metainfo} metadata)
if(NOT metadata MATCHES "<launchable type=\"desktop-id\">org.korvane.Korvane.desktop</launchable>")
    message(FATAL_ERROR "metainfo does not name the installed desktop entry")
endif()
if(NOT metadata MATCHES "<release version=\"${VERSION}\" date=\"[0-9]+-[0-9]+-[0-9]+\">[ \n]*<description>[ \n]*<p>")
    message(FATAL_ERROR "metainfo has no release notes for ${VERSION}")
endif()

foreach(check "${DESKTOP_FILE_VALIDATE};${desktop}" "${APPSTREAMCLI};validate;--no-net;${APPSTREAM_OVERRIDE};${metainfo}")
    execute_process(COMMAND ${check} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "validation failed: ${check}")
    endif()
endforeach()
file(REMOVE_RECURSE ${STAGE})
