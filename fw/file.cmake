# The file layer: CFile, the error causes and the general error report. The
# portable parts build everywhere; each platform layer adds its CFile.
target_sources(korvane_fw PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/file_error_causes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/file_error_report.cpp
)
