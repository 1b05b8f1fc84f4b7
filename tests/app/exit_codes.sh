#!/usr/bin/env bash
# The real program as a process under Xvfb, its dialogs answered with key presses:
# cancelling the open dialog ends it with 1, saving a new list with 0.
set -uo pipefail
source "$(dirname "$(realpath "$0")")/xdo.sh" "$1"

start
answer "Öffnen" Escape
finish
[[ $code == 1 ]] || fail "cancel gave exit code $code, not 1"
grep -q $'^\*\*\* Gesamtdatei bearbeiten\r$' gesamt.log || fail "log line missing"

start
answer "Öffnen" Return
answer "Hinweis" Return
save_and_close
finish
[[ $code == 0 ]] || fail "save gave exit code $code, not 0"
[[ "$(cat kelmar/NAMEN.TIF)" == $'GESAMT-DATEI\r\n\t \t\t\t\r' ]] || fail "file not written"

# Qt's own options work as in every Qt program, --version needs no display.
[[ $(DISPLAY= "$program" -platform offscreen --version) == "gesamt "* ]] || fail "--version"
# --help-all lists those options in German, --help leaves them out; both without a display.
all=$(DISPLAY= "$program" --help-all)
[[ $all == *"--platform <NAME>"*"Die Anzeige-Anbindung"*"--dograb"* && $all != *qmljsdebugger* ]] ||
    fail "--help-all: $all"
[[ $(DISPLAY= "$program" --help) != *"--platform"* ]] || fail "--help lists Qt's options"
# A file named on the command line after one of them, in a folder with umlauts: no open
# dialog, saved in place with the previous version beside it.
mkdir -p "$work/Turniere/Bärenpokal"
list="$work/Turniere/Bärenpokal/NAMEN.TIF"
printf 'GESAMT-DATEI\r\nAnna Berg\t \t1\tN\t\r\n' >"$list"
start -style Fusion "$list"
save_and_close
finish
[[ $code == 0 ]] || fail "saving the named file gave exit code $code"
[[ $(ls "$work/Turniere/Bärenpokal") == $'NAMEN.TIF\nNAMEN.TIF~' ]] || fail "other files: $(ls "$work/Turniere/Bärenpokal")"
[[ "$(cat "$list~")" == $'GESAMT-DATEI\r\nAnna Berg\t \t1\tN\t\r' ]] || fail "no backup of the previous version"
echo "exit codes: 1 after cancel, 0 after save; a named file opened after a Qt option and saved in place"
