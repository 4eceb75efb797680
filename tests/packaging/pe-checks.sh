# shellcheck shell=bash
# Sourced by the package tests: what the headers and signatures of Windows
# programs say. Both need fail() from the sourcing script.

# expect_pe_flags FILE FLAG...: every FLAG is among the PE header's DLL
# characteristics (HIGH_ENTROPY_VA, DYNAMIC_BASE, NX_COMPAT) or is RELOC,
# a relocation section the loader can use.
expect_pe_flags() {
    local file=$1 header found flag
    shift
    header=$(x86_64-w64-mingw32-objdump -p "$file")
    found=$(sed -n '/^DllCharacteristics/,/^SizeOf/p' <<<"$header")
    if x86_64-w64-mingw32-objdump -h "$file" | grep -q ' \.reloc ' &&
        ! grep -q 'relocations stripped' <<<"$header"; then
        found+=" RELOC"
    fi
    for flag in "$@"; do
        grep -qw "$flag" <<<"$found" || fail "$(basename "$file") lacks $flag"
    done
}

# expect_signed FILE CERT: FILE carries an Authenticode signature by CERT.
expect_signed() {
    local said
    said=$(osslsigncode verify -CAfile "$2" -in "$1" 2>&1) ||
        { echo "$said" >&2; fail "$(basename "$1") is not signed by $(basename "$2")"; }
}
