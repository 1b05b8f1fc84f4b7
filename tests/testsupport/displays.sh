#!/bin/sh
# The X servers of CTest's display slots, so that keyboard-flow cases do not each start one.
# Usage: displays.sh start DIR SLOTS   (one Xvfb per slot id in the SLOTS file; its number in
#        DIR/<id>)
#        displays.sh stop DIR
set -eu
dir=$2
stop() {
    for pidfile in "$dir"/*.pid; do
        [ -f "$pidfile" ] || continue
        kill "$(cat "$pidfile")" 2>/dev/null || true
        rm -f "$pidfile"
    done
}
case $1 in
stop) stop ;;
start)
    stop
    mkdir -p "$dir"
    ids=$(grep -o '"id": *"[^"]*"' "$3" | sed 's/.*"\([^"]*\)"$/\1/')
    for id in $ids; do
        rm -f "$dir/$id.nummer"
        # Detached, or CTest would wait for it as part of this test. -displayfd picks a free
        # number and writes it once the server takes clients.
        setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp \
            3>"$dir/$id.nummer" >"$dir/$id.log" 2>&1 </dev/null &
        echo $! >"$dir/$id.pid"
    done
    for id in $ids; do
        for _ in $(seq 1 100); do
            [ -s "$dir/$id.nummer" ] && break
            sleep 0.1
        done
        [ -s "$dir/$id.nummer" ] || { cat "$dir/$id.log"; echo "no X server for slot $id"; exit 1; }
        echo "slot $id: display :$(cat "$dir/$id.nummer")"
    done
    ;;
esac
