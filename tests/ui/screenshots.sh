#!/usr/bin/env sh
# Runs the screenshot tool on the current X display under a window manager (openbox) with a
# notification area (trayer), so windows get frames and titles and the tray icon docks.
# Usage: screenshots.sh <tool> <folder>
set -eu
tool="$1"
folder="$2"
pids=""
if command -v openbox >/dev/null 2>&1; then
    openbox --sm-disable >/dev/null 2>&1 &
    pids="$pids $!"
    sleep 0.5
fi
if command -v trayer >/dev/null 2>&1; then
    trayer --edge top --align right --widthtype request --height 24 >/dev/null 2>&1 &
    pids="$pids $!"
    sleep 0.5
fi
status=0
"$tool" "$folder" || status=$?
for pid in $pids; do
    kill "$pid" 2>/dev/null || true
done
exit "$status"
