# Programs the build and its tests run, looked for at configure time. One
# that is missing makes the build depend on the folders programs are looked
# for in: installing a program changes its folder, and the next build
# configures again by itself and finds the tool, with no configure by hand.

# korvane_configure_when_programs_appear(): the build configures again
# once a folder that find_program searches (those of PATH, and bin and sbin
# of the system's prefixes) has changed.
function(korvane_configure_when_programs_appear)
    string(REPLACE ":" ";" folders "$ENV{PATH}")
    foreach(prefix IN LISTS CMAKE_SYSTEM_PREFIX_PATH)
        list(APPEND folders "${prefix}/bin" "${prefix}/sbin")
    endforeach()
    list(REMOVE_DUPLICATES folders)
    foreach(folder IN LISTS folders)
        if(IS_DIRECTORY "${folder}")
            set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${folder}")
        endif()
    endforeach()
endfunction()

# korvane_find_tool(VAR NAME...): find_program(VAR NAMES NAME...), watching
# PATH while none of the names is found.
function(korvane_find_tool var)
    find_program(${var} NAMES ${ARGN})
    if(NOT ${var})
        korvane_configure_when_programs_appear()
    endif()
endfunction()
