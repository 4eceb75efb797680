# shellcheck shell=bash
# Sourced by the scripts and the package tests: failing with a message,
# Wine's program and environment, and a private Xvfb display.

# fail MESSAGE...: says what failed and ends the script.
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The Wine loader: the 64-bit one where it is installed apart, as Debian's
# wine64 package does, else whatever "wine" is.
wine_program() {
    if [ -x /usr/lib/wine/wine64 ]; then
        echo /usr/lib/wine/wine64
    else
        echo wine
    fi
}

# wine_environment: quiet Wine, without the .NET and HTML engines it would
# offer to install; values already set are kept.
wine_environment() {
    export WINEDEBUG=${WINEDEBUG:--all}
    export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
}

# wine_prefix_environment PREFIX: that, with Wine working in PREFIX and HOME
# a folder inside it, so that nothing reaches the real home.
wine_prefix_environment() {
    wine_environment
    export WINEPREFIX=$1
    export HOME=$1/home
}

# start_xvfb WORK: a private Xvfb display, its number chosen by Xvfb and its
# log in WORK; sets DISPLAY and XVFB_PID. Fails when it does not come up
# within 10 s. stop_xvfb ends it (nothing when none was started).
XVFB_PID=
start_xvfb() {
    local work=$1 number
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    if ! [ -s "$work/display" ]; then
        cat "$work/xvfb.log" >&2
        fail "Xvfb did not start"
    fi
    number=$(head -n 1 "$work/display")
    export DISPLAY=:$number
}

stop_xvfb() {
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
    fi
}
