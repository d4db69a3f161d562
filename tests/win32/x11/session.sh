# The X session of desktop.sh with a Wine prefix of its own on Wine's X11 driver, and
# brevanto.exe started in a scratch folder with a small data.dat. Sourced (bash) by the
# scripts beside it after setting `build` to the mingw build folder; everything started
# here is stopped on exit.
x11_wine=/usr/lib/wine/wine64
x11_wine_started=""
# Wine's explorer.exe shows each tray icon as a window of its own.
x11_icon_class=explorer.exe
export WINEPREFIX="$build/wineprefix-x11"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
. "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"

# The prefix is this session's alone, so its wineserver goes with every program in it.
x11_stop_programs() {
    if [ -n "$x11_wine_started" ]; then
        timeout 30 wineserver -k >/dev/null 2>&1 || true
    fi
}

# Makes the prefix once; the marker says that its set-up finished.
x11_make_prefix() {
    [ -f "$WINEPREFIX/.brevanto-ready" ] && return 0
    x11_wine_started=yes
    echo "== making the Wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    timeout 300 "$x11_wine" wineboot -i </dev/null >/dev/null 2>&1 || fail "wineboot failed"
    # Wine draws the windows' frames and captions itself, as Windows does, and the window
    # manager only places them.
    timeout 60 "$x11_wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f \
        </dev/null >/dev/null 2>&1 || fail "could not set the X11 driver up"
    # Debian's Wine does not load its own fonts from /usr/share/wine/fonts: without them
    # "MS Sans Serif" falls back to a much wider font and the caption buttons lose Marlett.
    ln -sf /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    timeout 30 wineserver -k >/dev/null 2>&1
    touch "$WINEPREFIX/.brevanto-ready"
}

# Starts brevanto.exe in the scratch folder beside a data.dat of four pairs and waits for
# its main window; sets `main` to that X window and `program` to the process.
x11_start_program() {
    local exe="$1"
    x11_make_prefix
    x11_wine_started=yes
    # One wineserver for the session, so each helper program starts quickly.
    timeout 600 wineserver -p </dev/null >/dev/null 2>&1 &
    x11_sample_table "$x11_scratch/run"
    (cd "$x11_scratch/run" && exec "$x11_wine" "$exe") </dev/null >"$x11_scratch/program.log" 2>&1 &
    program=$!
    wait_until 30 x11_find_main >/dev/null || fail "the main window of $exe did not appear"
    main=$(x11_find_main)
}

x11_find_main() {
    local window
    for window in $(xdotool search --onlyvisible --classname '^brevanto\.exe$' 2>/dev/null); do
        if [ "$(xdotool getwindowname "$window")" = Brevanto ]; then
            echo "$window"
            return 0
        fi
    done
    return 1
}

