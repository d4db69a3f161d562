#!/usr/bin/env bash
# Pictures of brevanto.exe under Wine on Xvfb (openbox, trayer, Wine's X11 driver), for
# people to look at: the main window, the input box with a cell's text, the Notice box of
# Start Auto Respond, the Done box after Save, the About box, and the whole screen with
# the tray. Driven with xdotool as a person would; windowrect.exe tells where a control is.
# Usage: screenshots.sh <mingw build folder> <picture folder>
set -euo pipefail
build=$(cd "$1" && pwd)
mkdir -p "$2"
folder=$(cd "$2" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
exe="$build/src/app/brevanto.exe"
for file in "$exe" "$build/tests/win32/windowrect.exe"; do
    [ -f "$file" ] || { echo "FAIL no $file: build the mingw preset first" >&2; exit 1; }
done
. "$here/session.sh"

# Writes the X window $1 as $folder/$2 (Wine draws frames and captions into the window).
shoot() {
    x11_picture "$1" "$folder/$2"
}

# Clicks on the main window's control with identifier $1 (ControlIds.h), at the fraction
# $2/4 across and $3 pixels down.
click_control() {
    local x y w h
    read -r x y w h < <("$x11_wine" "$build/tests/win32/windowrect.exe" "$1" | tr -d '\r')
    [ -n "$h" ] || fail "no control $1 in the main window"
    xdotool mousemove $((x + w * $2 / 4)) $((y + $3)) click 1
}

# Waits for the box titled $1 and sets `box` to it.
await_box() {
    wait_until 10 x11_find_box "$1" >/dev/null || fail "no box titled \"$1\" appeared"
    box=$(x11_find_box "$1")
}

box_gone() { ! x11_find_box "$1" >/dev/null; }

# Answers the box with key $1 and waits for it to go.
answer_box() {
    xdotool key "$2"
    wait_until 10 box_gone "$1" || fail "the box \"$1\" stayed after $2"
}

x11_start_display
x11_start_program "$exe"
wait_until 10 x11_tray_icons >/dev/null || fail "no tray icon"
shoot "$main" win32-main.png

# The whole screen, and the tray's corner of it enlarged four times.
xwd -silent -root >"$x11_scratch/screen.xwd"
python3 "$here/xwd2png.py" "$x11_scratch/screen.xwd" "$folder/win32-screen.png"
read -r tx ty tw th < <(x11_geometry "$(x11_tray_panel)")
python3 "$here/xwd2png.py" "$x11_scratch/screen.xwd" "$folder/win32-tray.png" \
    --crop "$((tx - 40)),$ty,$((tw + 40)),$th" --scale 4
echo "$folder/win32-screen.png"
echo "$folder/win32-tray.png"

# IDC_flexGrid (101): the first row's response opens the input box with its text; OK keeps it.
click_control 101 3 9
await_box Brevanto
shoot "$box" win32-input.png
answer_box Brevanto Return

# IDC_cmdStart (109): the Notice box; No leaves auto-respond off.
click_control 109 2 8
await_box Notice
shoot "$box" win32-msgbox.png
answer_box Notice n

# IDC_cmdSave (105): saving the table ends with the Done box.
click_control 105 2 8
await_box Done
shoot "$box" win32-done.png
answer_box Done Return

# Help, About.
timeout 5 xdotool windowactivate --sync "$main" 2>/dev/null || true
xdotool key alt+h
sleep 0.3
xdotool key a
await_box "About Brevanto"
shoot "$box" win32-about.png
answer_box "About Brevanto" Escape
