# The Qt 6 Widgets backend and the program's entry on Linux.
if(KORVANE_WITH_QT)
    find_package(Qt6 REQUIRED COMPONENTS Widgets DBus)
    find_package(Fontconfig REQUIRED)
    find_package(Threads REQUIRED)

    qt6_add_resources(korvane_qt_icon_sources ${CMAKE_CURRENT_LIST_DIR}/qt/icons.qrc)
    add_library(korvane_fw_qt STATIC
        ${CMAKE_CURRENT_LIST_DIR}/qt/control_peers.cpp
        ${CMAKE_CURRENT_LIST_DIR}/qt/dialog_font.cpp
        ${CMAKE_CURRENT_LIST_DIR}/qt/dialog_peer.cpp
        ${CMAKE_CURRENT_LIST_DIR}/qt/dialog_units.cpp
        ${CMAKE_CURRENT_LIST_DIR}/qt/icon_button.cpp
        ${CMAKE_CURRENT_LIST_DIR}/qt/launcher_entry.cpp
        ${CMAKE_CURRENT_LIST_DIR}/qt/progress_window.cpp
        ${CMAKE_CURRENT_LIST_DIR}/qt/title_bar.cpp
        ${CMAKE_CURRENT_LIST_DIR}/qt/ui_backend.cpp
        ${korvane_qt_icon_sources}
    )
    korvane_target_defaults(korvane_fw_qt)
    target_link_libraries(korvane_fw_qt PUBLIC korvane_fw Qt6::Widgets PRIVATE Qt6::DBus Threads::Threads Fontconfig::Fontconfig)
    # Builds without Qt's keywords and implicit conversions from char*.
    target_compile_definitions(korvane_fw_qt PUBLIC QT_NO_KEYWORDS PRIVATE QT_NO_CAST_FROM_ASCII)

    # The entry (main) goes into the program itself, not the library, so
    # tests can link the backend.
    set(KORVANE_QT_MAIN_SOURCE ${CMAKE_CURRENT_LIST_DIR}/qt/main.cpp CACHE INTERNAL "")
endif()
