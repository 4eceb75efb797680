# Text of the system's code page; each platform layer tells which it is.
target_sources(korvane_fw PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/text/code_page.cpp
    ${CMAKE_CURRENT_LIST_DIR}/text/char_wise.cpp
)
