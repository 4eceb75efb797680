# Windows: the platform layer without user interface goes into korvane_fw;
# the dialog backend is the library korvane_fw_win32, whose wWinMain is the
# program's entry.
if(NOT WIN32)
    return()
endif()

target_sources(korvane_fw PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/win32/wide_text.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/process_command_line_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/desktop_directory_win32.cpp
)
target_link_libraries(korvane_fw PUBLIC shell32)

# The dialog backend and the program's entry (wWinMain; the program links
# with -municode).
add_library(korvane_fw_win32 STATIC
    ${CMAKE_CURRENT_LIST_DIR}/win32/control_peers_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/dialog_peer_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/win32_backend.cpp
)
# Only the C runtime refers to wWinMain, after every library on the link
# line, so the entry is compiled into the program itself.
target_sources(korvane_fw_win32 INTERFACE ${CMAKE_CURRENT_LIST_DIR}/win32/win_main_win32.cpp)
korvane_target_defaults(korvane_fw_win32)
target_compile_definitions(korvane_fw_win32 PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
target_link_libraries(korvane_fw_win32 PUBLIC korvane_fw comctl32 user32 gdi32)
