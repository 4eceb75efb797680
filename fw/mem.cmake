# The in-memory backend: dialogs and controls without a display, message
# boxes answered by a script and recorded. Used by the tests.
add_library(korvane_fw_mem STATIC
    ${CMAKE_CURRENT_LIST_DIR}/mem/ui_backend.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mem/control_peers.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mem/dialog_peer.cpp
)
korvane_target_defaults(korvane_fw_mem)
target_link_libraries(korvane_fw_mem PUBLIC korvane_fw)
