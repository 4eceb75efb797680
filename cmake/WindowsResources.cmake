# Compiles the program's resource script (res/korvane.rc: dialog 102, the
# icons, the version block and the manifest) into target. The script is
# UTF-8 (the dialog's Japanese texts and font name), and it includes files
# from the source tree and from the build tree (the version header and the
# manifest, made from the project's version).
function(korvane_add_windows_resources target)
    set(script ${PROJECT_SOURCE_DIR}/res/korvane.rc)
    set(included
        ${PROJECT_BINARY_DIR}/res/korvane_version.h
        ${PROJECT_BINARY_DIR}/res/korvane.manifest
        ${PROJECT_SOURCE_DIR}/res/dialog_102.inc
        ${PROJECT_SOURCE_DIR}/fw/ui/win32_values.h
        ${PROJECT_SOURCE_DIR}/res/icons/korvane.ico
        ${PROJECT_SOURCE_DIR}/res/icons/up.ico
        ${PROJECT_SOURCE_DIR}/res/icons/down.ico)
    set_source_files_properties(${script} PROPERTIES
        COMPILE_FLAGS "-c 65001"
        OBJECT_DEPENDS "${included}")
    target_sources(${target} PRIVATE ${script})
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR})
endfunction()
