# shellcheck shell=bash
# Sourced by the package tests: drives Korvane's Qt dialog on an X display
# of our own with xdotool, as a user at the keyboard would. Every wait ends
# after a bounded time. Brings the scripts' helpers along (fail, Wine's
# environment, start_xvfb and stop_xvfb).

# shellcheck source=scripts/helpers.sh
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/helpers.sh"

# titled TITLE: the shown windows titled exactly TITLE (xdotool's own
# search ignores letter case: the dialog is "Korvane", its boxes "korvane").
titled() {
    local id
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
        [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] && echo "$id"
    done
    return 0
}

# visible_window TITLE [EXCEPT]: the id of a shown window titled TITLE (that
# is not EXCEPT), waiting up to 20 s.
visible_window() {
    local deadline=$((SECONDS + 20)) id
    while ((SECONDS < deadline)); do
        for id in $(titled "$1"); do
            if [ "$id" != "${2:-}" ]; then
                echo "$id"
                return 0
            fi
        done
        sleep 0.2
    done
    echo "no window titled '$1' showed within 20 s" >&2
    return 1
}

# no_visible_window TITLE: waits up to 20 s for no shown window so titled.
no_visible_window() {
    local deadline=$((SECONDS + 20))
    while ((SECONDS < deadline)); do
        [ -z "$(titled "$1")" ] && return 0
        sleep 0.2
    done
    echo "window '$1' still shows after 20 s" >&2
    return 1
}

# press WINDOW KEY: gives WINDOW the keyboard focus and presses KEY. No
# window manager runs, so the focus is set directly.
press() {
    timeout 10 xdotool windowfocus --sync "$1"
    xdotool key "$2"
}

# screenshot NAME: the screen into SCREENSHOT_DIR/NAME.png, where that is
# set and ImageMagick is there.
screenshot() {
    if [ -n "${SCREENSHOT_DIR:-}" ] && command -v import >/dev/null; then
        mkdir -p "$SCREENSHOT_DIR"
        import -window root "$SCREENSHOT_DIR/$1.png" || true
    fi
}

# join_with_enter DIALOG SHOT: Enter on the dialog, Enter on the question,
# Enter on the completion message; then Escape closes the dialog. The
# message boxes are titled with the program's name, "korvane".
join_with_enter() {
    local dialog=$1 shot=$2 question done_box
    screenshot "$shot-dialog"
    press "$dialog" Return
    question=$(visible_window korvane)
    screenshot "$shot-question"
    press "$question" Return
    done_box=$(visible_window korvane "$question")
    screenshot "$shot-done"
    press "$done_box" Return
    no_visible_window korvane
    press "$dialog" Escape
}

# wait_gone PID: waits up to 20 s for the process to end.
wait_gone() {
    local deadline=$((SECONDS + 20))
    while ((SECONDS < deadline)); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.2
    done
    echo "process $1 still runs 20 s after its dialog was closed" >&2
    return 1
}

# expect_joined OUTPUT FIRST REST...: OUTPUT holds FIRST whole and each of
# REST without its first 5000 bytes.
expect_joined() {
    local output=$1 first=$2
    shift 2
    if ! { cat -- "$first"; for f in "$@"; do tail -c +5001 -- "$f"; done; } | cmp -s - "$output"; then
        echo "$output is not the join of $first $*" >&2
        return 1
    fi
}

# make_clips FOLDER N...: clipN.mpg of different sizes and bytes.
make_clips() {
    local folder=$1 n
    shift
    mkdir -p "$folder"
    for n in "$@"; do
        head -c $((6000 + n * 1500)) /dev/urandom >"$folder/clip0$n.mpg"
    done
}
