#!/usr/bin/env bash
# The real program read by a screen reader: its own session bus and accessibility bus under
# Xvfb, the window read over AT-SPI by accessibility.py. Run through dbus-run-session.
set -uo pipefail
here=$(dirname "$(realpath "$0")")
source "$here/xdo.sh" "$1"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
printf 'GESAMT-DATEI\r\nAnna Berg\t \t1\tN\t100\r\nBernd Fischer\t \t2\tJ\t200\r\n' >NAMEN.TIF
/usr/libexec/at-spi-bus-launcher --launch-immediately 2>>"$work/stderr.log" &
bus=$!
trap '[[ -n $pid ]] && kill -9 "$pid" 2>/dev/null; kill "$bus" 2>/dev/null; rm -rf "$work"' EXIT
start "$work/NAMEN.TIF"
# The keyboard focus, as a desktop gives it to a new window.
for _ in $(seq 1 40); do
    id=$(xdotool search --onlyvisible --name "^$main\$" 2>/dev/null | tail -n 1)
    [[ -n $id ]] && xdotool windowfocus --sync "$id" 2>/dev/null && break
    sleep 0.25
done
/usr/bin/python3 "$here/accessibility.py" || fail "the window is not fully readable"
