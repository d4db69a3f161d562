#!/usr/bin/env sh
# Runs the screenshot tool on the current X display with a notification area (trayer)
# beside it, so the tray icon is there too. Usage: screenshots.sh <tool> <folder>
set -eu
tool="$1"
folder="$2"
tray_pid=""
if command -v trayer >/dev/null 2>&1; then
    trayer --edge top --align right --widthtype request --height 24 >/dev/null 2>&1 &
    tray_pid=$!
    sleep 0.5
fi
status=0
"$tool" "$folder" || status=$?
[ -n "$tray_pid" ] && kill "$tray_pid" 2>/dev/null || true
exit "$status"
