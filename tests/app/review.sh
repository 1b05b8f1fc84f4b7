#!/usr/bin/env bash
# Who is who in the real program under Xvfb: "Duplikate prüfen" keeps the second entry of a
# group when the user presses Space on it, and find "mueller" goes to "Müller", whose row
# Ctrl+L then removes; then the file's bytes.
set -uo pipefail
source "$(dirname "$(realpath "$0")")/xdo.sh" "$1"

mkdir kelmar
printf 'GESAMT-DATEI\r\nGerd Schr\xf6der\t \t1\tN\t123\r\nHans Meier\t \t2\tN\t7\r\nGERD SCHR\xd6DER\t \t3\tN\t123\r\nFrank M\xfcller\t \t4\tJ\t8\r\n' >kelmar/NAMEN.TIF

start
answer "Öffnen" Return
keys alt+b
xdotool key p
press "Duplikate prüfen" Down space
answer "Duplikate prüfen" Return
keys ctrl+f
xdotool type --delay 40 mueller
keys Escape ctrl+l
save_and_close
finish
[[ $code == 0 ]] || fail "exit code $code, not 0"

same_bytes kelmar/NAMEN.TIF 'GESAMT-DATEI\r\nHans Meier\t \t2\tN\t7\r\nGERD SCHR\xd6DER\t \t3\tN\t123\r\n'
echo "the chosen entry kept, the found one removed, saved byte for byte"
