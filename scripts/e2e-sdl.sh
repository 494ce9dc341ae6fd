#!/usr/bin/env bash
# End-to-end check of the SDL window host: runs tabula-demo in a real window on a
# virtual X server (Xvfb), clicks and types into it with xdotool, and checks from the
# demo's own event lines that the input arrived. The demo's screenshot hook saves what
# the window shows.
#
#   scripts/e2e-sdl.sh [TABULA_DEMO [SCREENSHOT.png]]
#
# Defaults: build/bin/tabula-demo and out/e2e-sdl.png. Installs Xvfb, xdotool and xclip
# when they are missing and it may (root or sudo). Exit status: 0 passed, 1 failed, 77
# skipped (no way to get the tools). Every wait is bounded, so it never hangs.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
demo=${1:-build/bin/tabula-demo}
shot=${2:-out/e2e-sdl.png}

e2e_name=e2e-sdl
program=$demo
# shellcheck source=scripts/e2e-lib.sh
source "$here/e2e-lib.sh"

# start_demo [ARGS...]: runs the demo in the window, announcing its places and saving its
# form to $work/form.json; its own timeout ends it if the script cannot.
start_demo() {
    : >"$work/demo.out"
    DISPLAY=":$display" timeout 120 "$demo" --print-places --screenshot "$work/shot.png" \
        --save-to "$work/form.json" "$@" >"$work/demo.out" 2>"$work/demo.err" &
    demo_pid=$!
    if ! wait_for '^ready$' 60; then
        not_ok "the demo window opened"
        show_output
        return 1
    fi
    return 0
}

mkdir -p "$(dirname "$shot")"
rm -f "$shot" "${shot%.png}-about.png" "${shot%.png}-resized.png"

# --- Run 1: click, type, a modal box, a screenshot, a resize, Close --------------------------

if start_demo; then
    ok "the demo window opened"
    window=$(timeout 10 xdotool search --sync --name '^Tabula demo$' 2>/dev/null | head -n 1)
    if [ -z "$window" ]; then
        not_ok "the window is on the X server"
    else
        ok "the window is on the X server"
        timeout 10 xdotool windowfocus --sync "$window" 2>/dev/null ||
            timeout 5 xdotool windowfocus "$window"

        click OK && wait_for '^clicked OK$' 10 && ok "a click on OK arrived" ||
            not_ok "a click on OK arrived"
        # Nothing else happens meanwhile: only the timer can wake the window up.
        wait_for '^status cleared$' 10 && ok "a timer ticked on real time" ||
            not_ok "a timer ticked on real time"

        click pad
        timeout 20 xdotool type --delay 40 "hello"
        timeout 10 xdotool key Return
        wait_for '^typed: hello$' 10 && ok "typed text arrived" || not_ok "typed text arrived"

        # Backspace and Ctrl combinations reach the text box through the keys themselves.
        timeout 20 xdotool type --delay 40 "abcx"
        timeout 10 xdotool key BackSpace Return
        wait_for '^typed: abc$' 10 && ok "Backspace deleted the last character" ||
            not_ok "Backspace deleted the last character"
        timeout 20 xdotool type --delay 40 "old"
        timeout 10 xdotool key ctrl+a
        timeout 20 xdotool type --delay 40 "new"
        timeout 10 xdotool key Return
        wait_for '^typed: new$' 10 && ok "Ctrl+A selected the line, so typing replaced it" ||
            not_ok "Ctrl+A selected the line, so typing replaced it"

        # Copy and paste through the system's clipboard (the X CLIPBOARD selection): what
        # the text box copies another program reads, what another program offers it pastes.
        timeout 20 xdotool type --delay 40 "copy me"
        timeout 10 xdotool key ctrl+a ctrl+c
        copied=""
        for ((i = 0; i < 50; i++)); do
            copied=$(timeout 5 xclip -o -selection clipboard 2>/dev/null)
            [ "$copied" = "copy me" ] && break
            sleep 0.1
        done
        [ "$copied" = "copy me" ] && ok "a copy reached the system clipboard" ||
            not_ok "a copy reached the system clipboard (xclip read '$copied')"
        # xclip offers the text in the foreground (-quiet) until it is ended.
        printf 'from outside' | timeout 60 xclip -i -selection clipboard -quiet >/dev/null 2>&1 &
        clip_pid=$!
        for ((i = 0; i < 100; i++)); do
            [ "$(timeout 5 xclip -o -selection clipboard 2>/dev/null)" = "from outside" ] && break
            sleep 0.1
        done
        timeout 10 xdotool key Escape ctrl+v
        wait_for '^pasted: from outside$' 10 && ok "a paste came from the system clipboard" ||
            not_ok "a paste came from the system clipboard"
        timeout 10 xdotool key Return
        wait_for '^typed: from outside$' 10 && ok "the pasted line was sent" ||
            not_ok "the pasted line was sent"
        kill "$clip_pid" 2>/dev/null

        # The list, the scroll bar's arrows, the check box and the drop-down list.
        click list.2 && wait_for '^picked: March$' 10 && ok "a click on a list item picked it" ||
            not_ok "a click on a list item picked it"
        click rows.right && wait_for '^scrolled: 21$' 10 &&
            ok "a click on the scroll bar's right arrow stepped it" ||
            not_ok "a click on the scroll bar's right arrow stepped it"
        click rows.left && wait_for '^scrolled: 20$' 10 &&
            ok "a click on the scroll bar's left arrow stepped it back" ||
            not_ok "a click on the scroll bar's left arrow stepped it back"
        click gridlines && wait_for '^checked: 0$' 10 && ok "a click on the check box cleared it" ||
            not_ok "a click on the check box cleared it"
        # Tab leads from the list into the frame, to the check box, which Space toggles.
        click list.0 && wait_for '^picked: January$' 10
        timeout 10 xdotool key Tab space
        wait_for '^checked: 1$' 10 && ok "Tab went from the list into the frame" ||
            not_ok "Tab went from the list into the frame"
        # A click opens the drop-down list; Down and Enter pick the next order in it.
        click order
        timeout 10 xdotool key Down Return
        wait_for '^chose: Rows by name$' 10 && ok "the drop-down list opened and took a pick" ||
            not_ok "the drop-down list opened and took a pick"

        # The grid: a click makes a cell current, the arrows move on, a click on a
        # check-mark cell clears its tick and moves on, Left and a space tick it again.
        click grid.2.1 && wait_for '^cell: 2,1$' 10 && ok "a click on a grid cell made it current" ||
            not_ok "a click on a grid cell made it current"
        timeout 10 xdotool key Down Right
        wait_for '^cell: 3,2$' 10 && ok "the arrow keys moved the grid's current cell" ||
            not_ok "the arrow keys moved the grid's current cell"
        click grid.1.5 && wait_for '^edited: 1,5 "0"$' 10 && timeout 10 xdotool key Left space &&
            wait_for '^edited: 1,5 "1"$' 10 && ok "a check mark flipped by click and by space" ||
            not_ok "a check mark flipped by click and by space"
        timeout 10 xdotool click 5
        wait_for '^cell: 2,6$' 10 && ok "a wheel notch moved the grid down a row" ||
            not_ok "a wheel notch moved the grid down a row"

        # Editing cells: typing opens the edit box and Enter stores (then moves on); a
        # double click opens it and Esc throws the typing away; Up and Tab store; a click on
        # another cell stores; masked columns shape what is typed; typing in the empty last
        # line adds a new one.
        click grid.2.1 && timeout 10 xdotool type --delay 30 Bo && timeout 10 xdotool key Return
        wait_for '^edited: 2,1 "AdaBo"$' 10 && ok "typing and Enter edited a cell" ||
            not_ok "typing and Enter edited a cell"
        dblclick grid.3.1 && timeout 10 xdotool type --delay 30 x &&
            timeout 10 xdotool key Escape Return Return
        wait_for '^edited: 3,1 "Fay"$' 10 && ok "a double click opened the box and Esc discarded" ||
            not_ok "a double click opened the box and Esc discarded"
        click grid.2.4 && timeout 10 xdotool type --delay 30 5 && timeout 10 xdotool key Up
        wait_for '^edited: 2,4 "75"$' 10 && wait_for '^cell: 1,4$' 10 &&
            ok "Up stored the edit and moved up" || not_ok "Up stored the edit and moved up"
        timeout 10 xdotool type --delay 30 9 && timeout 10 xdotool key Tab
        wait_for '^edited: 1,4 "129"$' 10 && ok "Tab stored the edit" || not_ok "Tab stored the edit"
        click grid.3.1 && timeout 10 xdotool type --delay 30 Q && click grid.4.1
        wait_for '^edited: 3,1 "FayQ"$' 10 && wait_for '^cell: 4,1$' 10 &&
            ok "a click on another cell stored the edit" ||
            not_ok "a click on another cell stored the edit"
        click grid.4.6 && timeout 10 xdotool type --delay 30 122504 &&
            timeout 10 xdotool key Return
        wait_for '^edited: 4,6 "12/25/2004"$' 10 && ok "a date typed as digits was masked" ||
            not_ok "a date typed as digits was masked"
        click grid.7.1 && timeout 10 xdotool type --delay 30 Zed && timeout 10 xdotool key Return
        wait_for '^added: row 8$' 10 && wait_for '^edited: 7,1 "Zed"$' 10 &&
            ok "typing in the last line added a new one" ||
            not_ok "typing in the last line added a new one"
        # Tab and Shift+Tab move between cells, also from inside an edit (stored first);
        # with the grid's Tab off (the check box) Tab goes on to the next control, the
        # typing line.
        click grid.5.1 && timeout 10 xdotool key Tab && wait_for '^cell: 5,2$' 10 &&
            timeout 10 xdotool key shift+Tab && wait_count '^cell: 5,1$' 2 10 &&
            ok "Tab and Shift+Tab moved between cells" ||
            not_ok "Tab and Shift+Tab moved between cells"
        timeout 10 xdotool type --delay 30 z && timeout 10 xdotool key Tab
        wait_for '^edited: 5,1 "Elmz"$' 10 && wait_count '^cell: 5,2$' 2 10 &&
            ok "Tab stored an edit and moved on" || not_ok "Tab stored an edit and moved on"
        if click tabkeys && wait_for '^tab keys: 0$' 10; then
            click grid.6.1 && timeout 10 xdotool key Tab && timeout 10 xdotool type --delay 30 hi &&
                timeout 10 xdotool key Return
            wait_for '^typed: hi$' 10 && ok "with the grid's Tab off, Tab went to the next control" ||
                not_ok "with the grid's Tab off, Tab went to the next control"
            click tabkeys && wait_for '^tab keys: 1$' 10
        else
            not_ok "the check box turned the grid's Tab off"
        fi

        # The country column: its drop-down button opens the list on the cell's country,
        # Down and Enter pick the next; typing opens it on the first country with that
        # letter; Esc closes it keeping the country (Enter then opens it again on that one
        # and picks it); a click on the first value picks it. The list hangs under the cell.
        click grid.3.2 && wait_for '^cell: 3,2$' 10 && click_at grid.3.2 -9 8 &&
            timeout 10 xdotool key Down Return
        wait_for '^picked: 3,2 "Germany"$' 10 && ok "the drop-down button opened the list, Enter picked" ||
            not_ok "the drop-down button opened the list, Enter picked"
        click grid.4.2 && timeout 10 xdotool type --delay 30 s && timeout 10 xdotool key Return
        wait_for '^picked: 4,2 "Senegal"$' 10 && ok "typing opened the list on its letter" ||
            not_ok "typing opened the list on its letter"
        click grid.5.2 && timeout 10 xdotool type --delay 30 j &&
            timeout 10 xdotool key Escape Return Return
        wait_for '^picked: 5,2 "Italy"$' 10 && ok "Esc closed the list and kept the country" ||
            not_ok "Esc closed the list and kept the country"
        click grid.6.2 && timeout 10 xdotool type --delay 30 a && click_at grid.6.2 20 b6
        wait_for '^picked: 6,2 "Australia"$' 10 && ok "a click on a value picked it" ||
            not_ok "a click on a value picked it"
        # The card column's cell button names the row in a modal box.
        if click grid.2.3 && click_at grid.2.3 -9 8 && wait_for '^place card\.OK ' 10; then
            click card.OK && wait_for '^card closed$' 10 && grep -q '^button: 2,3$' "$work/demo.out" &&
                ok "the cell button opened the row's card" ||
                not_ok "the cell button opened the row's card"
        else
            not_ok "the cell button opened the row's card"
        fi
        # Enter in the SSN column moves on to a column cut at the edge, which scrolls into
        # view: the announced places no longer match, so this comes last.
        click grid.4.8 && timeout 10 xdotool type --delay 30 123456789 &&
            timeout 10 xdotool key Return
        wait_for '^edited: 4,8 "123-45-6789"$' 10 && ok "a social security number was masked" ||
            not_ok "a social security number was masked"

        # The About box runs its own message loop: input and the screenshot key must
        # reach the window through it too.
        if click About && wait_for '^place about\.OK ' 10; then
            timeout 10 xdotool key Print
            wait_count '^screenshot: ' 1 10 && cp "$work/shot.png" "${shot%.png}-about.png"
            click about.OK && wait_for '^about closed$' 10 &&
                ok "the modal About box took a screenshot key and a click, and closed" ||
                not_ok "the modal About box took a screenshot key and a click, and closed"
        else
            not_ok "the modal About box opened"
        fi

        timeout 10 xdotool key Print
        if wait_count '^screenshot: ' 2 10 && [ -s "$work/shot.png" ]; then
            cp "$work/shot.png" "$shot"
            ok "the screenshot key saved $shot ($(png_size "$shot" | tr ' ' x))"
        else
            not_ok "the screenshot key saved $shot"
        fi

        # Without a window manager the resize applies at once; the form follows it. The
        # window grows, so the buttons below stay where the script found them.
        timeout 10 xdotool windowsize --sync "$window" 720 640 ||
            timeout 10 xdotool windowsize "$window" 720 640
        timeout 10 xdotool key Print
        if wait_for '^form size 720x640$' 10 && wait_count '^screenshot: ' 3 10 &&
            [ "$(png_size "$work/shot.png")" = "720 640" ]; then
            cp "$work/shot.png" "${shot%.png}-resized.png"
            ok "the form follows the window to 720x640"
        else
            not_ok "the form follows the window to 720x640 (got $(png_size "$work/shot.png"))"
        fi

        # Ctrl+S saves the form with the grid's settings (run 3 opens it).
        timeout 10 xdotool key ctrl+s
        wait_for '^saved: ' 10 && ok "Ctrl+S saved the form" || not_ok "Ctrl+S saved the form"

        click Close && wait_for '^closed$' 10 && ok "Close unloaded the form" ||
            not_ok "Close unloaded the form"
    fi
    if wait_exit 20; then
        [ "$demo_status" -eq 0 ] && ok "the demo ended cleanly" ||
            { not_ok "the demo ended cleanly (status $demo_status)"; show_output; }
    else
        not_ok "the demo ended after Close"
        kill "$demo_pid" 2>/dev/null
    fi
fi

cp "$work/demo.out" "$work/demo.out.1" 2>/dev/null

# --- Run 2: a quit request from outside closes the form and ends the demo ---------------

if start_demo; then
    # SDL turns a termination request into the same quit a window close gives.
    kill -TERM "$demo_pid"
    if wait_exit 20; then
        grep -q '^closed$' "$work/demo.out" && [ "$demo_status" -eq 0 ] &&
            ok "a quit request closed the form and ended the demo" ||
            { not_ok "a quit request closed the form and ended the demo"; show_output; }
    else
        not_ok "a quit request ended the demo"
    fi
fi

# --- Run 3: the saved form opens with the grid's settings ---------------------------------

saved=$(sed -n 's/^saved: [^ ]* //p' "$work/demo.out.1" 2>/dev/null | tail -n 1)
if [ -n "$saved" ] && start_demo --open "$work/form.json"; then
    opened=$(sed -n 's/^opened: [^ ]* //p' "$work/demo.out" | tail -n 1)
    [ "$opened" = "$saved" ] && ok "the saved form opened with its grid's settings $opened" ||
        { not_ok "the saved form opened with its grid's settings (saved $saved, opened $opened)"; show_output; }
    kill -TERM "$demo_pid"
    wait_exit 20 || kill "$demo_pid" 2>/dev/null
else
    not_ok "the saved form opened"
fi

[ "$failed" -eq 0 ] || show_output
echo "e2e-sdl: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
