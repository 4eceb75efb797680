# The portable user-interface layer: application object, dialogs, controls,
# message tables and the backend interface the platforms implement.
target_sources(korvane_fw PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/cmd_target.cpp
    ${CMAKE_CURRENT_LIST_DIR}/controls.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialog_template.cpp
    ${CMAKE_CURRENT_LIST_DIR}/handler_error_report.cpp
    ${CMAKE_CURRENT_LIST_DIR}/paint_dc.cpp
    ${CMAKE_CURRENT_LIST_DIR}/progress_model.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ui_backend.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win_app.cpp
)
