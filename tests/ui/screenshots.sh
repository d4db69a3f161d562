#!/usr/bin/env bash
# Pictures of the Qt program in a practice session, taken the way a person uses it: the
# real brevanto on Xvfb under openbox with trayer, driven with xdotool, in a scratch folder
# with a data.dat of four pairs. It writes a picture per window and box into the picture
# folder and stops at the first failed check (exit 1; 77 when the X tools are missing):
# - each window's title as the window manager reads it (_NET_WM_NAME and WM_NAME);
# - the practice window beside the main window, not over it, and on the screen, also when
#   closed and reopened through the Program menu;
# - the main window offers no maximise (Motif hints), fixes its width and keeps a minimum
#   height (size hints), and a maximise from the title bar is undone;
# - each box comes up in turn, and the program ends with Program, Exit;
# - minimised, the window goes into the tray (unmapped, and still so a second later); a
#   click on the tray icon brings it back showing its own pixels, twice over.
# Whether each caption fits its control needs the fonts' metrics, and the minimum height's
# value the layout's: ui_main_window_tests checks those offscreen.
# Usage: screenshots.sh <Qt build folder> <picture folder>
set -euo pipefail
for tool in Xvfb openbox trayer xdotool xprop xwininfo xwd python3; do
    command -v "$tool" >/dev/null || { echo "SKIP no $tool" >&2; exit 77; }
done
build=$(cd "$1" && pwd)
mkdir -p "$2"
folder=$(cd "$2" && pwd)
x11=$(cd "$(dirname "$0")/../win32/x11" && pwd)
exe="$build/src/app/brevanto"
[ -x "$exe" ] || { echo "FAIL no $exe: build the target brevanto first" >&2; exit 1; }
x11_icon_class=brevanto
x11_failure_picture="$folder/failed.png"
rm -f "$x11_failure_picture"
. "$x11/desktop.sh"

# Writes the X window $1 as $folder/$2.png: what the program drew, without the window
# manager's frame.
shoot() {
    x11_picture "$1" "$folder/$2.png"
}

shoot_screen() {
    xwd -silent -root >"$x11_scratch/screen.xwd"
    python3 "$x11/xwd2png.py" "$x11_scratch/screen.xwd" "$folder/$1.png"
    echo "$folder/$1.png"
}

# The title of the X window $1 in both the modern and the old property is $2.
check_title() {
    local props name shown
    props=$(xprop -id "$1" _NET_WM_NAME WM_NAME)
    for name in _NET_WM_NAME WM_NAME; do
        shown=$(sed -n "s/^$name([A-Z0-9_]*) = \"\\(.*\\)\"\$/\\1/p" <<<"$props")
        [ "$shown" = "$2" ] || fail "$name of \"$2\" reads \"$shown\""
    done
}

# Waits for the window titled $1, checks its title and sets `box` to it.
await_box() {
    wait_until 10 x11_find_box "$1" >/dev/null || fail "no window titled \"$1\" appeared"
    box=$(x11_find_box "$1")
    check_title "$box" "$1"
}

box_gone() { ! x11_find_box "$1" >/dev/null; }

# Waits for the box titled $1, takes its picture (numbered in the order the boxes came),
# answers it with the key $2 and waits for it to go.
boxes=0
answer_box() {
    await_box "$1"
    boxes=$((boxes + 1))
    local name=${1//!/}
    shoot "$box" "box-$boxes-${name// /-}"
    xdotool key "$2"
    wait_until 10 box_gone "$1" || fail "the box \"$1\" stayed after $2"
}

# Keys $2... to the window $1, brought to the front first.
keys_to() {
    local window=$1
    shift
    timeout 5 xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
    [ "$#" -eq 0 ] || xdotool key --delay 300 "$@"
}

# Types $1 into the focused field, replacing its text, and presses Return there.
type_in() {
    xdotool key ctrl+a
    xdotool type --delay 20 "$1"
    xdotool key Return
    sleep 0.5
}

viewable() { xwininfo -id "$1" | grep -q IsViewable; }
shown() { x11_state_is "$1" Normal && viewable "$1"; }

# The rectangle "x y width height" $1 overlaps the rectangle $2.
overlap() {
    local ax ay aw ah bx by bw bh
    read -r ax ay aw ah <<<"$1"
    read -r bx by bw bh <<<"$2"
    [ "$ax" -lt $((bx + bw)) ] && [ "$bx" -lt $((ax + aw)) ] &&
        [ "$ay" -lt $((by + bh)) ] && [ "$by" -lt $((ay + ah)) ]
}

check_beside() {
    shown "$practice" || fail "$1: the practice window is not shown"
    local main_frame practice_frame ax ay aw ah px py pw ph
    main_frame=$(x11_geometry "$(x11_frame "$main")")
    practice_frame=$(x11_geometry "$(x11_frame "$practice")")
    ! overlap "$main_frame" "$practice_frame" ||
        fail "$1: the practice window ($practice_frame) covers the main window ($main_frame)"
    read -r ax ay aw ah _ < <(xprop -root _NET_WORKAREA | sed 's/.*= //; s/,/ /g')
    read -r px py pw ph <<<"$practice_frame"
    [ "$px" -ge "$ax" ] && [ "$py" -ge "$ay" ] && [ $((px + pw)) -le $((ax + aw)) ] &&
        [ $((py + ph)) -le $((ay + ah)) ] ||
        fail "$1: the practice window ($practice_frame) is off the work area ($ax $ay $aw $ah)"
    echo "PASS $1: the practice window is beside the main window"
}

# No maximise in the Motif hints, the width fixed and a minimum height in the size hints,
# and a maximise through the title bar (openbox offers it anyway) undone.
check_sizing() {
    local flags functions decorations hints x y w h width height
    read -r flags functions decorations _ < <(xprop -id "$main" _MOTIF_WM_HINTS |
        sed 's/.*= //; s/,/ /g')
    # Functions and decorations given (flags 1 and 2), neither with maximise (0x10, 0x40).
    [ $((flags & 3)) -eq 3 ] && [ $((functions & 0x10)) -eq 0 ] &&
        [ $((decorations & 0x40)) -eq 0 ] ||
        fail "the Motif hints offer maximise: $flags $functions $decorations"
    read -r x y width height < <(x11_geometry "$main")
    hints=$(xprop -id "$main" WM_NORMAL_HINTS)
    local min max
    min=$(sed -n 's/.*minimum size: \([0-9]*\) by \([0-9]*\).*/\1 \2/p' <<<"$hints")
    max=$(sed -n 's/.*maximum size: \([0-9]*\) by.*/\1/p' <<<"$hints")
    read -r w min <<<"$min"
    [ "${w:-0}" -eq "$width" ] && [ "${max:-0}" -eq "$width" ] && [ "${min:-0}" -gt 0 ] &&
        [ "$min" -le "$height" ] || fail "size hints of a ${width}x$height window: $hints"
    read -r x y w h < <(x11_geometry "$(x11_frame "$main")")
    sleep 0.6
    xdotool mousemove $((x + w / 2)) $((y + 8)) click --repeat 2 --delay 100 1
    sleep 1
    read -r x y w h < <(x11_geometry "$main")
    [ "$w" -eq "$width" ] && [ "$h" -eq "$height" ] &&
        ! xprop -id "$main" _NET_WM_STATE | grep -q MAXIMIZED ||
        fail "maximised, the ${width}x$height window became ${w}x$h:" \
            "$(xprop -id "$main" _NET_WM_STATE)"
    echo "PASS no maximise, the width fixed at $width, a minimum height of $min"
}

# Two clicks closer than the double-click time make a double click: each click waits.
click_icon() {
    sleep 0.6
    x11_click_window "$(x11_tray_icons)"
}

# Whether at least 0.9 of the main window's pixels on the screen are the window's own, as
# dumped before it was minimised (an unpainted window shows black or what lay beneath).
matches_own() {
    local x y w h
    read -r x y w h < <(x11_geometry "$main")
    xwd -silent -root >"$x11_scratch/screen.xwd"
    share=$(python3 "$x11/xwdshare.py" "$x11_scratch/own.xwd" 0,0 \
        "$x11_scratch/screen.xwd" "$x,$y" "$w,$h")
    [ "${share/./}" -ge 900 ]
}

# Whether the log box (at 344,40 of the client area, below the menu bar's 18 pixels) shows
# something else than in the main window's last dump.
log_changed() {
    xwd -silent -id "$main" >"$x11_scratch/now.xwd"
    share=$(python3 "$x11/xwdshare.py" "$x11_scratch/own.xwd" 350,70 \
        "$x11_scratch/now.xwd" 350,70 260,200)
    [ "${share/./}" -lt 999 ]
}

minimise_and_restore() {
    xdotool windowminimize "$main"
    wait_until 5 x11_state_is "$main" Withdrawn ||
        fail "round $1: the minimised window stayed $(x11_state "$main"), not in the tray"
    # A window mapped again behind the program's back would show up within a second.
    sleep 1
    x11_state_is "$main" Withdrawn && ! viewable "$main" ||
        fail "round $1: the minimised window is on the screen again"
    click_icon
    if ! wait_until 3 shown "$main"; then
        echo "-- round $1: no answer to the tray click yet, clicking again" >&2
        click_icon
    fi
    wait_until 3 shown "$main" || fail "round $1: the tray click did not bring the window back"
    share=0
    wait_until 3 matches_own ||
        fail "round $1: only $share of the restored window's pixels are its own"
    echo "PASS round $1: minimised into the tray and back, $share of the pixels its own"
    shoot "$main" "restored-$1"
}

x11_start_display
x11_sample_table "$x11_scratch/run"
# Without a session bus Qt docks its icon in the X tray, as on a desktop without one.
export QT_QPA_PLATFORM=xcb DBUS_SESSION_BUS_ADDRESS="unix:path=$x11_scratch/no-bus"
(cd "$x11_scratch/run" && exec "$exe") </dev/null >"$x11_scratch/program.log" 2>&1 &
program=$!
x11_pids+=("$program")
main=""
wait_until 20 x11_find_box Brevanto >/dev/null || fail "the main window did not appear"
main=$(x11_find_box Brevanto)
check_title "$main" Brevanto
await_box "Brevanto practice: simulated AIM"
practice=$box
wait_until 10 x11_tray_icons >/dev/null || fail "no icon of brevanto docked in trayer"
sleep 1
check_beside "at start"
check_sizing

# The practice window's keyboard focus starts in the screen name field. Signing on
# disables that field, which hands the focus on to the Sign off button; Tab goes on to the
# buddy's name and "Open IM window", and from the name six Shift+Tabs, round the window's
# end, reach the buddy's line. There moth and then pixelfox22 get an IM window, and
# pixelfox22 says hello.
keys_to "$practice" alt+n Tab
type_in moth
xdotool key --delay 300 Tab space shift+Tab
type_in pixelfox22
xdotool key --delay 300 Tab space shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab \
    shift+Tab
type_in hi
# Auto-respond answers, logs and closes pixelfox22's window within a couple of seconds and
# leaves moth's, where nothing was said yet: the log shows the answer. The button keeps the
# focus: Space stops.
xwd -silent -id "$main" >"$x11_scratch/own.xwd"
keys_to "$main" alt+s
answer_box Notice Return
wait_until 10 log_changed || fail "auto-respond showed no answer to pixelfox22 in the log"
keys_to "$main" space
# Back in the practice window's buddy line, now moth's; two Tabs on, the user's line.
keys_to "$practice"
type_in "are you there?"
xdotool key --delay 300 Tab Tab
type_in "yes, for a minute"
shoot "$main" main
shoot "$practice" practice
shoot_screen screen
read -r tx ty tw th < <(x11_geometry "$(x11_tray_panel)")
python3 "$x11/xwd2png.py" "$x11_scratch/screen.xwd" "$folder/tray.png" \
    --crop "$((tx - 40)),$ty,$((tw + 40)),$th" --scale 4
echo "$folder/tray.png"

# Closed (Alt+F4, openbox's key) and reopened through "P&ractice Window".
keys_to "$practice" alt+F4
wait_until 5 x11_state_is "$practice" Withdrawn || fail "the practice window did not close"
keys_to "$main" alt+p r
# Qt gives the reopened window a new X window.
await_box "Brevanto practice: simulated AIM"
practice=$box
sleep 0.5
check_beside reopened

keys_to "$main" alt+h a
await_box "About Brevanto"
shoot "$box" about
xdotool key Escape
wait_until 5 box_gone "About Brevanto" || fail "the About box stayed after Escape"

# Learning the open conversation (OK) saves it; learning again, cancelled, learns nothing.
keys_to "$main" alt+n
answer_box "Learning Conversations" Return
answer_box Done Return
keys_to "$main" alt+n
answer_box "Learning Conversations" Escape
answer_box Sorry! Return
# A click on the grid's first row opens the input box; OK keeps the text. The grid starts
# 64 pixels below the menu bar (about 20), its first row's answer 170 pixels in.
read -r x y w h < <(x11_geometry "$main")
xdotool mousemove $((x + 250)) $((y + 64 + 30)) click 1
answer_box Brevanto Return

xwd -silent -id "$main" >"$x11_scratch/own.xwd"
for round in 1 2; do
    minimise_and_restore "$round"
done
shoot_screen screen-restored

keys_to "$main" alt+p x
wait_until 5 eval '! x11_alive "$program"' || fail "the program did not end after E&xit"
echo "PASS all checks"
