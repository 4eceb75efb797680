# The platform's usual protections for the shipped programs (the release
# presets turn them on), and release binaries that do not depend on where or
# when they were built.

# Protections. Linux: position-independent program, read-only relocations
# bound at start, stack protector, checked string and memory functions, stack
# clash probes and control-flow marking. Windows (mingw-w64): ASLR with high
# entropy (which needs the relocation section --dynamicbase keeps), DEP,
# stack protector and checked functions (both from libssp, which gcc links
# when -fstack-protector-strong is on the link line). Stack probes are always
# on there; gcc has no stack clash protection for Windows, and binutils no
# CET marking of PE files.
function(korvane_harden)
    add_compile_options(-fstack-protector-strong -U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2)
    add_link_options(-fstack-protector-strong)
    if(WIN32)
        add_link_options(LINKER:--dynamicbase,--high-entropy-va,--nxcompat)
    else()
        add_compile_options(-fstack-clash-protection -fcf-protection)
        add_link_options(LINKER:-z,relro,-z,now)
        set(CMAKE_POSITION_INDEPENDENT_CODE ON PARENT_SCOPE)
        include(CheckPIESupported)
        check_pie_supported()
    endif()
endfunction()

# Reproducible: no build folder in the programs (__FILE__, debug paths), and
# no link time in the PE header. Compile times (__DATE__) and the packages'
# dates follow SOURCE_DATE_EPOCH, which scripts/package sets.
function(korvane_reproducible)
    add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=)
    if(WIN32)
        add_link_options(LINKER:--no-insert-timestamp)
    endif()
endfunction()
