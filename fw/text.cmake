# Text of the system's code page, the process command line and the user's
# directories.
target_sources(korvane_fw PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/text/code_page.cpp
    ${CMAKE_CURRENT_LIST_DIR}/text/char_wise.cpp
)
if(WIN32)
    target_sources(korvane_fw PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/win32/system_code_page_win32.cpp
    )
else()
    target_sources(korvane_fw PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/posix/system_code_page_posix.cpp
        ${CMAKE_CURRENT_LIST_DIR}/posix/process_command_line_posix.cpp
        ${CMAKE_CURRENT_LIST_DIR}/posix/desktop_directory_posix.cpp
        ${CMAKE_CURRENT_LIST_DIR}/posix/xdg_user_dirs.cpp
    )
endif()
