# The Win32 user-interface backend and the program's entry on Windows
# (wWinMain; the program links with -municode).
if(NOT WIN32)
    return()
endif()

add_library(korvane_fw_win32 STATIC
    ${CMAKE_CURRENT_LIST_DIR}/win32/control_names.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/control_peers.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/dialog_peer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/progress_window.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/taskbar_progress.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/ui_backend.cpp
)
# Only the C runtime refers to wWinMain, after every library on the link
# line, so the entry is compiled into the program itself.
target_sources(korvane_fw_win32 INTERFACE ${CMAKE_CURRENT_LIST_DIR}/win32/main.cpp)
korvane_target_defaults(korvane_fw_win32)
target_compile_definitions(korvane_fw_win32 PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
target_link_libraries(korvane_fw_win32 PUBLIC korvane_fw comctl32 user32 gdi32 ole32 oleacc uxtheme uuid)
