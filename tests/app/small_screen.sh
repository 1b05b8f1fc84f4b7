#!/usr/bin/env bash
# A small HiDPI laptop: 1366 x 768 at scale factor 2, with a large font (Fontsize=22), under a
# window manager that frames the windows. The open dialog and the main window must lie inside
# the screen with their title bars. Run under xvfb-run with that screen; with
# GESAMT_SCREENSHOTS set to a folder, the screen is saved there at each check.
set -uo pipefail
source "$(dirname "$(realpath "$0")")/xdo.sh" "$1"
export QT_SCALE_FACTOR=2
openbox >/dev/null 2>&1 &
wm=$!
trap '[[ -n $pid ]] && kill -9 "$pid" 2>/dev/null; kill "$wm" 2>/dev/null; rm -rf "$work"' EXIT
sleep 1
mkdir -p kelmar .config/kelmar
printf '[KELMAR]\r\nFontsize=22\r\n' >.config/kelmar/KELMAR.INI
{
    printf 'GESAMT-DATEI\r\n'
    for i in $(seq 1 1000); do printf 'Spieler %d\t \t%d\tN\t%d\r\n' "$i" "$i" $((1000000 + i)); done
} >kelmar/NAMEN.TIF

# The window of that title lies inside the screen, title bar included.
inside() {
    local title=$1 id=
    for _ in $(seq 1 40); do
        id=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | tail -n 1)
        [[ -n $id ]] && break
        sleep 0.25
    done
    [[ -n $id ]] || fail "no window '$title'"
    sleep 1.5 # the second fit, once the frame is known
    # xwininfo's absolute position is the client's own; xdotool adds the frame once more.
    local info
    info=$(xwininfo -id "$id")
    X=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
    Y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
    WIDTH=$(sed -n 's/.*Width: *//p' <<<"$info")
    HEIGHT=$(sed -n 's/.*Height: *//p' <<<"$info")
    echo "$title: ${WIDTH}x${HEIGHT} at $X,$Y"
    [[ -n ${GESAMT_SCREENSHOTS:-} ]] && import -window root "$GESAMT_SCREENSHOTS/small-screen-$2.png"
    ((Y >= 10 && X >= 0 && X + WIDTH <= 1366 && Y + HEIGHT <= 768)) ||
        fail "'$title' (${WIDTH}x${HEIGHT} at $X,$Y) does not fit 1366x768 with its title bar"
}

start
inside "Öffnen" dialog
answer "Öffnen" Return
inside "Liste der gespeicherten Namen" window
save_and_close
finish
[[ $code == 0 ]] || fail "exit code $code"
echo "the open dialog and the main window fit a 1366x768 screen at scale 2 with Fontsize=22"
