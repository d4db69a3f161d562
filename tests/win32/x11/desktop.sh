# A virtual X display with a window manager (openbox) and a notification area (trayer), for
# scripts that use a program's windows as a person would, with xdotool, xprop, xwininfo and
# xwd. Sourced (bash) after setting `build` to a build folder, where the scratch folder goes;
# everything started here (and every process id added to x11_pids) is stopped on exit, after
# x11_stop_programs when the sourcing script defines it. x11_icon_class names the class of
# the program's icon windows in the tray.
x11_pids=()
x11_scratch=""
x11_failed=""
x11_server=""
x11_icon_class="${x11_icon_class:-}"
export LC_ALL=C.UTF-8
export HOME="${HOME:-$build}"
unset DISPLAY WAYLAND_DISPLAY

x11_stop() {
    local status=$?
    # set -e ended the script at a helper command (xdotool, xwininfo) that failed.
    if [ "$status" -ne 0 ] && [ -z "$x11_failed" ]; then
        echo "FAIL a command of the script failed (status $status, see above)" >&2
    fi
    if declare -F x11_stop_programs >/dev/null; then
        x11_stop_programs
    fi
    local pid
    for pid in "${x11_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${x11_pids[@]}"; do
        timeout 5 tail --pid="$pid" -f /dev/null 2>/dev/null || true
    done
    if [ -n "$x11_scratch" ]; then
        rm -rf "$x11_scratch"
    fi
}
trap x11_stop EXIT
# Ended by a signal (a time-out, Ctrl+C, a closed output), the script still stops them.
trap 'x11_failed=yes; echo "FAIL ended by a signal" >&2; exit 1' HUP INT TERM PIPE

# Writes the X window $1 as the PNG file $2 and prints the file's name. Each window is
# dumped on its own: under Xvfb the screen's copy of a box just shown can stay black while
# the box's own contents are whole (moving it shows them).
x11_picture() {
    sleep 0.5  # a window just mapped paints itself a moment later
    xwd -silent -id "$1" >"$x11_scratch/picture.xwd"
    python3 "$(dirname "${BASH_SOURCE[0]}")/xwd2png.py" "$x11_scratch/picture.xwd" "$2"
    echo "$2"
}

# Ends the script with a message, the program's last output and, where the script set
# x11_failure_picture, a picture of the screen as it was.
fail() {
    x11_failed=yes
    echo "FAIL $*" >&2
    if [ -n "${x11_failure_picture:-}" ] && [ -n "${DISPLAY:-}" ] &&
        xwd -silent -root >"$x11_scratch/failed.xwd" 2>/dev/null &&
        python3 "$(dirname "${BASH_SOURCE[0]}")/xwd2png.py" "$x11_scratch/failed.xwd" \
            "$x11_failure_picture"; then
        echo "-- the screen: $x11_failure_picture" >&2
    fi
    if [ -s "$x11_scratch/program.log" ]; then
        echo "-- the program's last output:" >&2
        tail -n 20 "$x11_scratch/program.log" >&2
    fi
    exit 1
}

# wait_until <seconds> <command...>: polls the command every tenth of a second; false once
# the time is up.
wait_until() {
    local tries=$(($1 * 10))
    shift
    until "$@"; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.1
    done
}

x11_answers() { xprop -display "$1" -root _XKB_RULES_NAMES >/dev/null 2>&1; }
# A child that has ended stays a zombie until waited for, and a zombie takes kill -0.
x11_alive() { ps -o stat= -p "$1" | grep -qv '^Z'; }
# Xvfb either answers on display $1 or, when another server took the number first, ends.
x11_settled() { x11_answers "$1" || ! x11_alive "$2"; }

# Starts Xvfb on a free display number, then the window manager and the tray. The number
# is chosen by lock file, as xvfb-run does (which counts up from 99): Xvfb -displayfd
# writes no lock file, so another xvfb-run could take the same number and its socket.
x11_start_display() {
    x11_scratch=$(mktemp -d "$build/x11.XXXXXX")
    local number pid
    for number in $(seq 40 89); do
        [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ] && continue
        # -noreset: without it the server resets whenever its last client leaves, and a
        # client connecting during the reset is turned away.
        Xvfb ":$number" -screen 0 1280x720x24 -nolisten tcp -noreset \
            >"$x11_scratch/xvfb.log" 2>&1 &
        pid=$!
        wait_until 10 x11_settled ":$number" "$pid" || true
        # A server of another session on the same number (its lock file in another /tmp)
        # answers too, while ours is about to end: ours must still run a moment later.
        sleep 0.5
        if x11_alive "$pid" && x11_answers ":$number"; then
            x11_pids+=("$pid")
            x11_server=$pid
            export DISPLAY=":$number"
            break
        fi
        kill "$pid" 2>/dev/null || true
    done
    [ -n "${DISPLAY:-}" ] || fail "Xvfb did not start on any display from :40 to :89"
    openbox >/dev/null 2>&1 &
    x11_pids+=($!)
    wait_until 10 xprop -root _NET_SUPPORTING_WM_CHECK >/dev/null 2>&1 ||
        fail "openbox did not start"
    local try
    for try in 1 2 3; do
        trayer --edge top --align right --widthtype pixel --width 48 --height 24 \
            >"$x11_scratch/trayer.log" 2>&1 &
        x11_pids+=($!)
        wait_until 20 x11_tray_panel >/dev/null && return 0
        echo "-- trayer did not start (try $try): $(cat "$x11_scratch/trayer.log")" >&2
    done
    x11_alive "$x11_server" || echo "-- Xvfb has ended: $(cat "$x11_scratch/xvfb.log")" >&2
    fail "trayer did not start on $DISPLAY"
}

# A data.dat of four pairs in the folder $1, which is made if missing.
x11_sample_table() {
    mkdir -p "$1"
    printf '%s\r\n' "are you there=I'm away from the keyboard right now." \
        "bye=See you later!" "hi=Hello there, I'll be back soon." \
        "how are you=Fine, thanks!" >"$1/data.dat"
}

# The shown window titled exactly $1, other than the main window, that the window manager
# manages (a tray icon may bear the program's name too), if there is one.
x11_find_box() {
    local window
    for window in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
        if [ "$window" != "${main:-}" ] && [ "$(xdotool getwindowname "$window")" = "$1" ] &&
            x11_state_is "$window" Normal; then
            echo "$window"
            return 0
        fi
    done
    return 1
}

# The first line of the input; false when there is none. It reads the input to its end, so
# the command before it never dies of a closed pipe (which pipefail would count as failure).
x11_first() {
    awk 'NR == 1 { print } END { exit NR == 0 }'
}

x11_tray_panel() {
    xdotool search --name '^panel$' 2>/dev/null | x11_first
}

# The program's icon windows docked in the tray (of class x11_icon_class).
x11_tray_icons() {
    xwininfo -tree -id "$(x11_tray_panel)" 2>/dev/null |
        awk -v class="\"$x11_icon_class\"" 'index($0, class) { print $1; n++ } END { exit n == 0 }'
}

# "x y width height" of an X window on the screen.
x11_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
        /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }'
}

# The window manager's frame around the X window $1: its ancestor just below the root.
x11_frame() {
    local window=$1 parent
    while parent=$(xwininfo -children -id "$window" |
        awk '/Parent window id:/ && !/the root window/ { print $4 }') && [ -n "$parent" ]; do
        window=$parent
    done
    echo "$window"
}

# Left click in the middle of an X window.
x11_click_window() {
    local x y w h
    read -r x y w h < <(x11_geometry "$1")
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
}

# Normal, Iconic or Withdrawn (hidden: no WM_STATE at all), as the window manager sees it.
x11_state() {
    local state
    state=$(xprop -id "$1" WM_STATE 2>/dev/null | awk '/window state:/ { print $3 }')
    echo "${state:-Withdrawn}"
}

x11_state_is() {
    [ "$(x11_state "$1")" = "$2" ]
}
