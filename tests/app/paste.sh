#!/usr/bin/env bash
# Names with their heading row from a spreadsheet, put into the X clipboard and pasted into the
# real program under Xvfb: Ctrl+V shows the preview, Enter inserts the rows before the current
# one, Ctrl+S saves; then the file's bytes. A player the list holds is not taken in twice, and
# the new ones are numbered on from the highest number.
set -uo pipefail
source "$(dirname "$(realpath "$0")")/xdo.sh" "$1"

mkdir kelmar
printf 'GESAMT-DATEI\r\nOtto Zander\t \t1\tN\t100\r\nAnna Berg\t \t2\tJ\t200\r\n' >kelmar/NAMEN.TIF

start
answer "Öffnen" Return
keys Down # row 2, Anna Berg
printf 'Name\tMP\tMitgliedsnr.\r\nJ\xc3\xbcrgen Wei\xc3\x9f\tj\t4711\r\nKarl Adam\tG\t300\r\nAnna Berg\tJ\t200\r\n' |
    xclip -selection clipboard -t UTF8_STRING
keys ctrl+v
answer "Einfügen aus der Zwischenablage" Return
save_and_close
finish
[[ $code == 0 ]] || fail "exit code $code, not 0"

same_bytes kelmar/NAMEN.TIF 'GESAMT-DATEI\r\nOtto Zander\t \t1\tN\t100\r\nJ\xfcrgen Wei\xdf\t \t3\tJ\t4711\r\nKarl Adam\t \t4\tG\t300\r\nAnna Berg\t \t2\tJ\t200\r\n'
echo "pasted block saved byte for byte"
