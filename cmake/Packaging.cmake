# Release artefacts. Linux: the .deb, by CPack (cpack -G DEB in a build
# configured with the install prefix /usr, as the release preset is).
# Windows: the installer (NSIS, target korvane_installer) and the portable
# zip (target korvane_portable_zip), into KORVANE_PACKAGE_DIR.

# Every release has its entry in the changelog, under its version and date.
file(STRINGS ${PROJECT_SOURCE_DIR}/CHANGELOG.md changelog_entry
     REGEX "^## ${PROJECT_VERSION} \\(${KORVANE_RELEASE_DATE}\\)$")
if(NOT changelog_entry)
    message(FATAL_ERROR "CHANGELOG.md has no entry \"## ${PROJECT_VERSION} (${KORVANE_RELEASE_DATE})\"")
endif()

set(KORVANE_PACKAGE_DIR ${PROJECT_BINARY_DIR}/packages CACHE PATH "Where the Windows packages are written")

if(WIN32 AND TARGET korvane)
    # The shipped korvane.exe: the built one, signed when a certificate is
    # given (the build's own stays unsigned for the tests).
    set(KORVANE_EXE ${PROJECT_BINARY_DIR}/shipped/korvane.exe)
    set(KORVANE_ICON ${PROJECT_SOURCE_DIR}/res/icons/korvane.ico)
    set(KORVANE_LICENSE ${PROJECT_BINARY_DIR}/windows-text/LICENSE.txt)
    set(KORVANE_INSTALLER_PATH ${KORVANE_PACKAGE_DIR}/korvane-${PROJECT_VERSION}-win64-setup.exe)
    set(portable_zip ${KORVANE_PACKAGE_DIR}/korvane-${PROJECT_VERSION}-win64-portable.zip)
    # The zip unpacks into one folder of its own.
    set(portable_folder Korvane-${PROJECT_VERSION})
    set(portable ${PROJECT_BINARY_DIR}/portable/${portable_folder})
    set(text_script ${PROJECT_SOURCE_DIR}/cmake/TextForWindows.cmake)
    # README and version history, beside the program in both packages.
    set(KORVANE_README ${portable}/README.txt)
    set(KORVANE_CHANGELOG ${portable}/CHANGELOG.txt)
    # The zip's entries carry this time (SOURCE_DATE_EPOCH when set) and
    # nothing else of the files they were made from.
    string(TIMESTAMP archive_time "%s" UTC)
    korvane_find_tool(ZIP zip)

    # Authenticode signing, by osslsigncode, of korvane.exe, the installer and
    # its uninstaller; unsigned when no certificate is given.
    set(KORVANE_SIGN_CERT "" CACHE FILEPATH "Authenticode certificate (PEM or DER); empty: the Windows programs stay unsigned")
    set(KORVANE_SIGN_KEY "" CACHE FILEPATH "The certificate's private key (PEM or DER, not encrypted)")
    set(KORVANE_SIGN_TIMESTAMP_URL "" CACHE STRING "Time-stamping server for the signatures; empty: none")
    set(sign_script ${PROJECT_SOURCE_DIR}/cmake/Authenticode.cmake)
    set(sign_command "${CMAKE_COMMAND}" "-DCERT=${KORVANE_SIGN_CERT}" "-DKEY=${KORVANE_SIGN_KEY}"
        "-DTIMESTAMP_URL=${KORVANE_SIGN_TIMESTAMP_URL}")
    # What is signed with changes when these do: the signed files depend on it.
    set(sign_settings ${PROJECT_BINARY_DIR}/shipped/signing.txt)
    file(CONFIGURE OUTPUT ${sign_settings}
         CONTENT "${KORVANE_SIGN_CERT}\n${KORVANE_SIGN_KEY}\n${KORVANE_SIGN_TIMESTAMP_URL}\n")
    add_custom_command(OUTPUT ${KORVANE_EXE}
        COMMAND ${sign_command} -DIN=${PROJECT_BINARY_DIR}/korvane.exe -DOUT=${KORVANE_EXE} -P ${sign_script}
        DEPENDS korvane ${sign_script} ${sign_settings} VERBATIM)
    file(MAKE_DIRECTORY ${portable})

    add_custom_command(OUTPUT ${KORVANE_LICENSE}
        COMMAND ${CMAKE_COMMAND} -DIN=${PROJECT_SOURCE_DIR}/LICENSE -DOUT=${KORVANE_LICENSE}
                -P ${text_script}
        DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE ${text_script} VERBATIM)
    add_custom_command(OUTPUT ${KORVANE_README}
        COMMAND ${CMAKE_COMMAND} -DIN=${PROJECT_SOURCE_DIR}/res/windows/README.txt
                -DOUT=${KORVANE_README} -DBOM=ON
                -DPROJECT_VERSION=${PROJECT_VERSION} "-DKORVANE_COPYRIGHT=${KORVANE_COPYRIGHT}"
                -P ${text_script}
        DEPENDS ${PROJECT_SOURCE_DIR}/res/windows/README.txt ${text_script} VERBATIM)
    add_custom_command(OUTPUT ${KORVANE_CHANGELOG}
        COMMAND ${CMAKE_COMMAND} -DIN=${PROJECT_SOURCE_DIR}/CHANGELOG.md
                -DOUT=${KORVANE_CHANGELOG} -DBOM=ON -P ${text_script}
        DEPENDS ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${text_script} VERBATIM)
    set(zipped ${portable_folder}/korvane.exe ${portable_folder}/LICENSE.txt
               ${portable_folder}/README.txt ${portable_folder}/CHANGELOG.txt)
    add_custom_command(OUTPUT ${portable_zip}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${KORVANE_PACKAGE_DIR}
        COMMAND ${CMAKE_COMMAND} -E copy ${KORVANE_EXE} ${portable}/korvane.exe
        COMMAND ${CMAKE_COMMAND} -E copy ${KORVANE_LICENSE} ${portable}/LICENSE.txt
        COMMAND touch -d @${archive_time} ${zipped}
        COMMAND ${CMAKE_COMMAND} -E rm -f ${portable_zip}
        COMMAND ${ZIP} -X -q -D ${portable_zip} ${zipped}
        WORKING_DIRECTORY ${portable}/..
        DEPENDS ${KORVANE_EXE} ${KORVANE_LICENSE} ${KORVANE_README} ${KORVANE_CHANGELOG} VERBATIM)
    add_custom_target(korvane_portable_zip DEPENDS ${portable_zip})

    korvane_find_tool(MAKENSIS makensis)
    set(nsi ${PROJECT_BINARY_DIR}/korvane.nsi)
    # makensis runs the signing command through the shell, on the path of
    # the uninstaller and then of the installer.
    list(JOIN sign_command "\" \"" KORVANE_NSIS_SIGN_COMMAND)
    set(KORVANE_NSIS_SIGN_COMMAND "\"${KORVANE_NSIS_SIGN_COMMAND}\" \"-DIN=%1\" \"-DOUT=%1\" -P \"${sign_script}\"")
    configure_file(${PROJECT_SOURCE_DIR}/res/windows/korvane.nsi.in ${nsi} @ONLY)
    add_custom_command(OUTPUT ${KORVANE_INSTALLER_PATH}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${KORVANE_PACKAGE_DIR}
        COMMAND ${MAKENSIS} -V2 -NOCD ${nsi}
        DEPENDS ${KORVANE_EXE} ${nsi} ${KORVANE_LICENSE} ${KORVANE_README} ${KORVANE_CHANGELOG}
                ${KORVANE_ICON} ${sign_script} VERBATIM)
    add_custom_target(korvane_installer DEPENDS ${KORVANE_INSTALLER_PATH})
    if(NOT MAKENSIS)
        message(STATUS "makensis not found: the target korvane_installer needs it (scripts/deps package)")
    endif()
    return()
endif()

if(NOT KORVANE_WITH_QT OR NOT TARGET korvane)
    return()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# A Debian revision: the upstream changelog goes in as changelog.gz, the
# package's own as changelog.Debian.gz.
set(CPACK_DEBIAN_PACKAGE_RELEASE ${KORVANE_DEBIAN_PACKAGE_REVISION})
set(CPACK_PACKAGE_VENDOR ${KORVANE_PUBLISHER})
set(CPACK_PACKAGE_CONTACT ${KORVANE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "join several MPEG files into one")
set(CPACK_PACKAGE_DESCRIPTION
    "Korvane joins MPEG files. Select them in the file manager and open them with
Korvane (\"Open With\", or its \"Join with Korvane\" entry in Dolphin and
Nemo, \"Send To\" in Thunar): a small dialog lists them sorted by path, lets
you move entries up and down to set the order, and proposes an output file on
your desktop. The join writes the first file whole and every further file
without its first 5000 bytes. Korvane never makes itself the program that
opens videos.
.
The interface is Japanese.")
# The installed paths are /usr's, and install-time files (the launcher entry)
# see that prefix, with the staging folder as DESTDIR.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# Libraries from dpkg-shlibdeps; the dialog's font (drawn to the metrics of
# its Windows font, so the labels fit) by name; the Japanese texts of Qt's
# standard buttons are welcome but not needed.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_OUTPUT_FILE_PREFIX ${KORVANE_PACKAGE_DIR})
# The settings reach cpack as written: without this, the quotes in the
# description end its strings in CPackConfig.cmake, and the words between
# them come out joined by semicolons.
set(CPACK_VERBATIM_VARIABLES ON)
include(CPack)
