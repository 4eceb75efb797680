# The POSIX platform layer: files, the system's code page, the process
# command line and the user's directories.
if(WIN32)
    return()
endif()

target_sources(korvane_fw PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/posix/desktop_directory.cpp
    ${CMAKE_CURRENT_LIST_DIR}/posix/file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/posix/file_calls.cpp
    ${CMAKE_CURRENT_LIST_DIR}/posix/file_system.cpp
    ${CMAKE_CURRENT_LIST_DIR}/posix/process_command_line.cpp
    ${CMAKE_CURRENT_LIST_DIR}/posix/system_code_page.cpp
    ${CMAKE_CURRENT_LIST_DIR}/posix/xdg_user_dirs.cpp
)
# 64-bit file offsets on 32-bit systems too.
target_compile_definitions(korvane_fw PRIVATE _FILE_OFFSET_BITS=64)
