#!/usr/bin/env bash
# End-to-end check of the form designer in a real window on a virtual X server (Xvfb):
# places a grid and a button with the mouse, sets Rows, Cols and BorderStyle on the
# General page and Name and ToolTipText on the Extender page, saves the form through the
# file dialog, closes the designer, opens the file in a new one, checks the settings, and
# runs the form. Each step is checked from the designer's own output lines; screenshots
# of the design and of the running form are saved.
#
#   scripts/e2e-designer.sh [TABULA_DESIGNER [SCREENSHOT.png]]
#
# Defaults: build/bin/tabula-designer and out/e2e-designer.png (the running form goes to
# out/e2e-designer-run.png). Exit status: 0 passed, 1 failed, 77 skipped.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
designer=${1:-build/bin/tabula-designer}
shot=${2:-out/e2e-designer.png}

e2e_name=e2e-designer
program=$designer
# shellcheck source=scripts/e2e-lib.sh
source "$here/e2e-lib.sh"

form="$work/form.json"
mkdir -p "$(dirname "$shot")"
rm -f "$shot" "${shot%.png}-run.png"

# start_designer: runs the designer in the window, announcing its places, and finds its
# window; its own timeout ends it if the script cannot.
start_designer() {
    : >"$work/demo.out"
    DISPLAY=":$display" timeout 240 "$designer" --print-places --screenshot "$work/shot.png" \
        >"$work/demo.out" 2>"$work/demo.err" &
    demo_pid=$!
    wait_for '^ready$' 60 || { not_ok "the designer window opened"; show_output; return 1; }
    window=$(timeout 10 xdotool search --sync --name '^Tabula Designer$' 2>/dev/null | head -n 1)
    [ -n "$window" ] || { not_ok "the designer window is on the X server"; return 1; }
    timeout 10 xdotool windowfocus --sync "$window" 2>/dev/null ||
        timeout 5 xdotool windowfocus "$window"
    return 0
}

# check DESCRIPTION PATTERN [SECONDS]: one step, passed when the designer prints a line
# matching PATTERN.
check() {
    wait_for "$2" "${3:-10}" && ok "$1" || { not_ok "$1"; return 1; }
}

# drag NAME DX1 DY1 DX2 DY2: a left drag between two offsets from an announced place.
drag() {
    local x y
    read -r x y < <(awk -v name="$1" '$1 == "place" && $2 == name { print $3, $4 }' \
        "$work/demo.out" | tail -n 1)
    [ -n "${x:-}" ] || return 1
    timeout 10 xdotool mousemove --window "$window" $((x + $2)) $((y + $3)) mousedown 1 \
        mousemove --window "$window" $((x + ($2 + $4) / 2)) $((y + ($3 + $5) / 2)) \
        mousemove --window "$window" $((x + $4)) $((y + $5)) mouseup 1
}

# replace NAME TEXT: clicks a text box and types TEXT over what it held.
replace() {
    click "$1" && timeout 10 xdotool key ctrl+a && timeout 20 xdotool type --delay 30 "$2"
}

# screenshot FILE: the window as it shows now.
screenshot() {
    local count
    count=$(grep -c '^screenshot:' "$work/demo.out")
    timeout 10 xdotool key Print
    wait_count '^screenshot:' $((count + 1)) 10 && cp "$work/shot.png" "$1"
}

# --- Run 1: design, set properties on the pages, save -----------------------------------------

if start_designer; then
    ok "the designer window opened"
    click tool.Grid && drag form 16 16 256 136
    check "a grid drawn on the form" '^placed: Grid1 16,16 240x120 Tabula.Grid$'
    click tool.CommandButton && click_at form 20 170
    check "a button placed with a click" '^placed: Command[A-Za-z]*1 16,168 '
    click control.Grid1
    check "the grid selected" '^selected: Grid1$'

    click cmd.General
    if check "the General page opened" '^page: General$'; then
        replace page.txtRows 7
        timeout 10 xdotool key Tab Down Down
        replace page.txtCols 4
        click page.cmdOK
        check "Rows, Cols and BorderStyle applied" '^applied: General: Changed 1 control\.$'
    fi
    click cmd.Extender
    if check "the Extender page opened" '^page: Extender$'; then
        replace page.txtName Prices
        replace page.txtToolTip "Price list"
        click page.cmdOK
        check "Name and ToolTipText applied" '^applied: Extender: Changed 1 control\.$'
    fi

    click cmd.Save
    sleep 0.5
    timeout 20 xdotool type --delay 20 "$form"
    timeout 10 xdotool key Return
    check "the form saved through the file dialog" "^saved: $form \\(2 controls\\)$"
    screenshot "$shot" && ok "a screenshot of the design" || not_ok "a screenshot of the design"

    kill -TERM "$demo_pid"
    wait_exit 20 && ok "the designer closed" || not_ok "the designer closed"
fi

# --- Run 2: open the file in a new designer, check it, run it ---------------------------------

if [ -f "$form" ] && start_designer; then
    click cmd.Open
    sleep 0.5
    timeout 20 xdotool type --delay 20 "$form"
    timeout 10 xdotool key Return
    check "the saved form opened" "^opened: $form \\(2 controls\\)$"
    check "with the grid's settings" \
        '^control: Prices Tabula.Grid Rows=7 Cols=4 BorderStyle=3 ToolTipText="Price list"$'

    click cmd.Run
    check "the form runs in a window of its own" "^run: $form \\(2 controls\\)$"
    screenshot "${shot%.png}-run.png" && ok "a screenshot of the running form" ||
        not_ok "a screenshot of the running form"
    timeout 10 xdotool key Escape
    check "Esc closed the running form" '^run closed$'

    kill -TERM "$demo_pid"
    wait_exit 20 || kill "$demo_pid" 2>/dev/null
else
    not_ok "the saved form could be opened again"
fi

for f in "$shot" "${shot%.png}-run.png"; do
    [ "$(png_size "$f")" = "1000 680" ] && ok "$(basename "$f") is the window's size" ||
        not_ok "$(basename "$f") is the window's size"
done

[ "$failed" -eq 0 ] || show_output
echo "e2e-designer: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
