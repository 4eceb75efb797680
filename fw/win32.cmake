# Windows: the platform layer without user interface goes into korvane_fw;
# the dialog backend is the library korvane_fw_win32, whose wWinMain is the
# program's entry.
if(NOT WIN32)
    return()
endif()

target_sources(korvane_fw PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/win32/process_command_line_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/desktop_directory_win32.cpp
)
target_link_libraries(korvane_fw PUBLIC shell32)
