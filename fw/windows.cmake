# The Windows platform layer: files, the system's code page, the process
# command line and the shell's desktop folder.
if(NOT WIN32)
    return()
endif()

target_sources(korvane_fw PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/windows/desktop_directory.cpp
    ${CMAKE_CURRENT_LIST_DIR}/windows/file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/windows/file_calls.cpp
    ${CMAKE_CURRENT_LIST_DIR}/windows/file_system.cpp
    ${CMAKE_CURRENT_LIST_DIR}/windows/process_command_line.cpp
    ${CMAKE_CURRENT_LIST_DIR}/windows/system_code_page.cpp
    ${CMAKE_CURRENT_LIST_DIR}/windows/wide_text.cpp
)
target_link_libraries(korvane_fw PUBLIC shell32)
