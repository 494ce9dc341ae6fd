# What the end-to-end scripts share: the tools (installed when missing and allowed), a
# work folder cleaned up on exit, the result counters, bounded waits on the program's
# output lines, clicks at the places it announces, and a virtual X server for SDL.
#
# Sourced by a script that has set `e2e_name` (its name in messages), `program` (the
# program it drives) and `here` (the scripts folder). The program's output goes to
# $work/demo.out, its errors to $work/demo.err, its process id in $demo_pid, and
# $window is its X window once the script has found it.

passed=0
failed=0

skip() {
    echo "$e2e_name: SKIPPED: $*"
    exit 77
}

# --- Tools ---------------------------------------------------------------------------------

tools="Xvfb xdotool xclip"
missing_tools() {
    local t
    for t in $tools; do command -v "$t" >/dev/null || return 0; done
    return 1
}

if missing_tools; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && command -v sudo >/dev/null && sudo="sudo -n"
    if [ "$(id -u)" -eq 0 ] || [ -n "$sudo" ]; then
        echo "$e2e_name: installing xvfb, xdotool and xclip"
        export DEBIAN_FRONTEND=noninteractive
        packages="xvfb xdotool xclip"
        # shellcheck disable=SC2086
        timeout 600 $sudo apt-get install -y -qq --no-install-recommends $packages >/dev/null 2>&1 ||
            { timeout 300 $sudo apt-get update -qq >/dev/null 2>&1 &&
              timeout 600 $sudo apt-get install -y -qq --no-install-recommends $packages \
                  >/dev/null 2>&1; }
    fi
    missing_tools && skip "Xvfb, xdotool or xclip is missing and cannot be installed here"
fi
[ -x "$program" ] || { echo "$e2e_name: no program at $program" >&2; exit 1; }

work=$(mktemp -d)
xvfb_pid=""
demo_pid=""
cleanup() {
    [ -n "$demo_pid" ] && kill "$demo_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# --- Helpers -------------------------------------------------------------------------------

ok() {
    echo "ok - $*"
    passed=$((passed + 1))
}

not_ok() {
    echo "not ok - $*"
    failed=$((failed + 1))
}

# wait_for PATTERN SECONDS: waits until the program prints a line matching PATTERN.
wait_for() {
    local pattern=$1 seconds=$2 i
    for ((i = 0; i < seconds * 10; i++)); do
        grep -qE -- "$pattern" "$work/demo.out" 2>/dev/null && return 0
        if [ -n "$demo_pid" ] && ! kill -0 "$demo_pid" 2>/dev/null; then
            grep -qE -- "$pattern" "$work/demo.out" 2>/dev/null && return 0
            return 1
        fi
        sleep 0.1
    done
    return 1
}

# wait_count PATTERN N SECONDS: waits until the program has printed N lines matching PATTERN.
wait_count() {
    local pattern=$1 count=$2 seconds=$3 i
    for ((i = 0; i < seconds * 10; i++)); do
        [ "$(grep -cE -- "$pattern" "$work/demo.out" 2>/dev/null)" -ge "$count" ] && return 0
        sleep 0.1
    done
    return 1
}

# wait_exit SECONDS: waits for the program to end and sets demo_status.
wait_exit() {
    local seconds=$1 i
    for ((i = 0; i < seconds * 10; i++)); do
        if ! kill -0 "$demo_pid" 2>/dev/null; then
            wait "$demo_pid"
            demo_status=$?
            demo_pid=""
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# centre NAME: the middle of a place the program announced, as "X Y".
centre() {
    awk -v name="$1" '$1 == "place" && $2 == name { print int($3 + $5 / 2), int($4 + $6 / 2) }' \
        "$work/demo.out" | tail -n 1
}

# click NAME: a left click in the middle of an announced place.
click() {
    local at
    at=$(centre "$1")
    [ -n "$at" ] || return 1
    # shellcheck disable=SC2086
    timeout 10 xdotool mousemove --window "$window" $at click 1
}

# click_at NAME DX DY: a left click at an offset from the top-left corner of an announced
# place; a negative DX counts from its right edge; DY as "bN" is N pixels below its bottom.
click_at() {
    local at
    at=$(awk -v name="$1" -v dx="$2" -v dy="$3" '$1 == "place" && $2 == name {
            x = dx < 0 ? $3 + $5 + dx : $3 + dx
            y = dy ~ /^b/ ? $4 + $6 + substr(dy, 2) : $4 + dy
            print int(x), int(y) }' "$work/demo.out" | tail -n 1)
    [ -n "$at" ] || return 1
    # shellcheck disable=SC2086
    timeout 10 xdotool mousemove --window "$window" $at click 1
}

# dblclick NAME: a left double click in the middle of an announced place.
dblclick() {
    local at
    at=$(centre "$1")
    [ -n "$at" ] || return 1
    # shellcheck disable=SC2086
    timeout 10 xdotool mousemove --window "$window" $at click --repeat 2 --delay 60 1
}

# png_size FILE: "WIDTH HEIGHT" from the PNG header.
png_size() {
    od -An -tu1 -j16 -N8 "$1" 2>/dev/null |
        awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4, $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }'
}

show_output() {
    echo "--- output"
    cat "$work/demo.out" 2>/dev/null
    echo "--- errors"
    tail -n 40 "$work/demo.err" 2>/dev/null
}

# --- The X server --------------------------------------------------------------------------

# Xvfb picks a free display and writes its number to the descriptor given.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
display=""
for ((i = 0; i < 100; i++)); do
    display=$(tr -dc '0-9' <"$work/display")
    [ -n "$display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
done
if [ -z "$display" ]; then
    cat "$work/xvfb.log"
    skip "Xvfb did not start"
fi
export DISPLAY=":$display"
echo "$e2e_name: Xvfb on :$display"

# No GPU under Xvfb: SDL's own software renderer, and no OpenGL behind the window surface.
export SDL_RENDER_DRIVER=software SDL_FRAMEBUFFER_ACCELERATION=0 SDL_AUDIODRIVER=dummy
# Leaks inside the system's D-Bus library, which SDL loads and unloads, are not ours.
export LSAN_OPTIONS="suppressions=$here/lsan-sdl.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
