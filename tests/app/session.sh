#!/usr/bin/env bash
# A short session typed into the real program under Xvfb, as a user types it: insert a player,
# fill in all four columns, delete one and take that back (undo, redo, undo), find a name,
# sort, renumber, save; then the file's bytes.
set -uo pipefail
source "$(dirname "$(realpath "$0")")/xdo.sh" "$1"

mkdir kelmar
printf 'GESAMT-DATEI\r\nOtto Zander\t \t1\tN\t100\r\nAnna Berg\t \t2\tJ\t200\r\nKarl Adam\t \t3\tG\t300\r\n' \
    >kelmar/NAMEN.TIF

# On a German keyboard ü and ß have keys of their own. Otherwise xdotool lends each a spare key
# for a moment and, on a busy machine, takes the last one back before the program has read it.
setxkbmap de || fail "no German keyboard layout"
start
answer "Öffnen" Return
keys Down # row 2, "Nr."
keys ctrl+e # a new row 2, MP and Mitgliedsnr. from row 1
for text in 9 "Jürgen Weiß" j 4711; do
    xdotool type --delay 40 "$text"
    keys Tab
done
keys ctrl+l # the row now current: Anna Berg
keys ctrl+z
keys ctrl+y
keys ctrl+z # Anna Berg is back
keys ctrl+f
xdotool type --delay 40 "weiss"
keys Escape
keys ctrl+o
press "$main" ctrl+n
answer "Auswahl" alt+j
answer "Hinweis" Return
save_and_close
finish
[[ $code == 0 ]] || fail "exit code $code, not 0"

same_bytes kelmar/NAMEN.TIF 'GESAMT-DATEI\r\nKarl Adam\t \t1\tG\t300\r\nAnna Berg\t \t2\tJ\t200\r\nJ\xfcrgen Wei\xdf\t \t3\tJ\t4711\r\nOtto Zander\t \t4\tN\t100\r\n'
echo "typed session saved byte for byte"
