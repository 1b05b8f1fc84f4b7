#!/usr/bin/env bash
# What a user types right after a note shown while the list opens goes into the cell the
# cursor is on, without moving first: a new list (the note that it does not exist yet), and a
# list with one line ended by an LF alone (the note that names it); then the saved bytes.
set -uo pipefail
source "$(dirname "$(realpath "$0")")/xdo.sh" "$1"

mkdir kelmar
start "$work/kelmar/NEU.TIF"
answer "Hinweis" Return
sleep 1
xdotool type --delay 60 17
save_and_close
finish
[[ $code == 0 ]] || fail "exit code $code, not 0"
same_bytes kelmar/NEU.TIF 'GESAMT-DATEI\r\n\t \t17\t\t\r\n'

printf 'GESAMT-DATEI\r\nAnna Berg\t \t1\tN\t\r\nOtto Zander\t \t2\tN\t\nKarl Adam\t \t3\tG\t\r\n' >kelmar/LF.TIF
start "$work/kelmar/LF.TIF"
answer "Hinweis" Return
sleep 1
xdotool type --delay 60 9
save_and_close
finish
[[ $code == 0 ]] || fail "exit code $code, not 0"
same_bytes kelmar/LF.TIF 'GESAMT-DATEI\r\nAnna Berg\t \t9\tN\t\r\nOtto Zander\t \t2\tN\t\r\nKarl Adam\t \t3\tG\t\r\n'
echo "typed after the note on opening, into the cell, saved byte for byte"
