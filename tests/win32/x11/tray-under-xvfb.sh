#!/usr/bin/env bash
# The tray icon of brevanto.exe on a real notification area: under Xvfb with openbox and
# trayer, Wine's X11 driver docks Shell_NotifyIconA's icon into trayer. Checks that the
# icon appears, that a left click on it hides the main window and a second one shows it,
# that a minimised window hides itself into the tray and comes back with a click, and that
# the right-click menu opens and its Exit ends the program. Every wait is bounded; exits 1
# on the first failure.
# Usage: tray-under-xvfb.sh <mingw build folder>
set -euo pipefail
build=$(cd "$1" && pwd)
exe="$build/src/app/brevanto.exe"
[ -f "$exe" ] || { echo "FAIL no $exe: build the mingw preset first" >&2; exit 1; }
. "$(dirname "$0")/session.sh"

pass() { echo "PASS $*"; }
one_tray_icon() { [ "$(x11_tray_icons | wc -l)" -eq 1 ]; }
program_ended() { ! x11_alive "$program"; }
# Two clicks closer than the double-click time make a double click, which toggles nothing:
# each click waits that long after the one before.
click_icon() {
    sleep 0.6
    x11_click_window "$(x11_tray_icons)"
}

x11_start_display
x11_start_program "$exe"

wait_until 10 one_tray_icon || fail "no icon of brevanto.exe docked in trayer"
pass "the icon is in the tray"

click_icon
wait_until 5 x11_state_is "$main" Withdrawn ||
    fail "a click on the tray icon left the main window $(x11_state "$main")"
pass "a click on the icon hides the main window"

click_icon
wait_until 5 x11_state_is "$main" Normal ||
    fail "a second click on the tray icon left the main window $(x11_state "$main")"
pass "a second click shows it again"

# Minimised, the window is first iconic; the 500 ms timer then hides it into the tray. A
# window left iconic (on the taskbar) fails after the bound, which only guards against a
# hang.
xdotool windowminimize "$main"
wait_until 5 x11_state_is "$main" Withdrawn ||
    fail "the minimised main window stayed $(x11_state "$main") instead of going to the tray"
pass "minimising hides the window into the tray"

click_icon
wait_until 5 x11_state_is "$main" Normal ||
    fail "a click on the tray icon left the minimised window $(x11_state "$main")"
pass "a click on the icon brings the minimised window back"

# A right click on the icon opens the tray menu (Show, Start/Stop Auto Respond, Exit), an
# untitled window of the program's own; its Exit ends the program. (Whether it removed its
# icon cannot be seen here: Wine's explorer drops the icons of a window that is gone on its
# own.) The menu bar's Program, Exit is driven by programdriver.exe.
tray_menu() {
    local window
    for window in $(xdotool search --onlyvisible --classname '^brevanto\.exe$' 2>/dev/null); do
        [ -z "$(xdotool getwindowname "$window")" ] && echo "$window" && return 0
    done
    return 1
}
sleep 0.6
read -r x y w h < <(x11_geometry "$(x11_tray_icons)")
xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 3
wait_until 5 tray_menu >/dev/null || fail "a right click on the tray icon opened no menu"
pass "a right click on the icon opens the tray menu"

xdotool key x
wait_until 5 program_ended || fail "brevanto.exe did not end after Exit in the tray menu"
pass "the tray menu's Exit ends the program"
