# The file layer: CFile, the error causes and the general error report. The
# portable parts build everywhere; each platform adds its CFile.
target_sources(korvane_fw PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/file_error_causes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/file_error_report.cpp
    ${CMAKE_CURRENT_LIST_DIR}/file_fault_injection.cpp
)
if(NOT WIN32)
    target_sources(korvane_fw PRIVATE ${CMAKE_CURRENT_LIST_DIR}/posix/file_posix.cpp)
    # 64-bit file offsets on 32-bit systems too.
    target_compile_definitions(korvane_fw PRIVATE _FILE_OFFSET_BITS=64)
endif()
if(WIN32)
    target_sources(korvane_fw PRIVATE ${CMAKE_CURRENT_LIST_DIR}/win32/file_win32.cpp)
endif()
