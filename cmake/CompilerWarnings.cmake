# Turns on the project's compiler warnings for target (-Wall -Wextra
# -Wpedantic), as errors with KORVANE_WARNINGS_AS_ERRORS. The language
# standard is set once for every target in the top CMakeLists.txt.
function(korvane_enable_warnings target)
    if(MSVC)
        return()
    endif()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(KORVANE_WARNINGS_AS_ERRORS)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
