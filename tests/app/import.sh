#!/usr/bin/env bash
# A member table taken into the real program under Xvfb: Liste > Aus Tabelle einlesen…, the
# table (made by a spreadsheet program for the example list) chosen beside the list, Enter in
# the preview, Ctrl+S; then the file's bytes: two members changed, one added. The table module
# is loaded only then. A second table, a club's CSV, has its MP in a "Status" column and one
# row with another member's number: that member's MP changes, the other row is left out. A
# colleague's name list adds a member. Then the list is written as XLSX and read back.
set -uo pipefail
source "$(dirname "$(realpath "$0")")/xdo.sh" "$1"
quelle=$(dirname "$(realpath "${BASH_SOURCE[0]}")")/../..

mkdir kelmar
cp "$quelle/examples/NAMEN.TIF" "$quelle/tests/tabelle/abgleich.xlsx" kelmar/

start
answer "Öffnen" Return
# The table readers and the zip library they need are loaded with the first table, not before.
grep -q quazip "/proc/$pid/maps" && fail "the zip library was loaded at start-up"
keys alt+l
xdotool key e
press "Tabelle öffnen" End
xdotool type --delay 40 abgleich.xlsx
answer "Tabelle öffnen" Return
grep -q "/gesamt-tabelle.so$" "/proc/$pid/maps" || fail "the table module is not loaded"
answer "Aus Tabelle einlesen" Return
printf 'Mitgliedsnummer;Titel;Vorname;Nachname;Status\r\n100274;Dr.;Bernd;Fischer;J\r\n100311;;Petra;Krause;N\r\n' >kelmar/verein.csv
keys alt+l
xdotool key e
press "Tabelle öffnen" End
xdotool type --delay 40 verein.csv
answer "Tabelle öffnen" Return
answer "Aus Tabelle einlesen" Return
mkdir kollege
printf 'GESAMT-DATEI\r\nOtto Zander\t \t7\tG\t103000\r\n' >kollege/NAMEN.TIF
keys alt+l
xdotool key e
press "Tabelle öffnen" End
xdotool type --delay 40 "$work/kollege/NAMEN.TIF"
answer "Tabelle öffnen" Return
answer "Aus Tabelle einlesen" Return
keys alt+l
xdotool key b
press "Als Tabelle speichern" ctrl+a
xdotool type --delay 40 "$work/liste.xlsx"
answer "Als Tabelle speichern" Return
save_and_close
finish
[[ $code == 0 ]] || fail "exit code $code, not 0"

{
    LC_ALL=C sed -e 's/^\(Anna Bergmann\t \t1\t\)N/\1J/' -e 's/^\(Dieter Kr\xfcger\t \t4\t\)N/\1G/' \
        -e 's/^\(Dr. Bernd Fischer\t \t2\t\)N/\1J/' \
        "$quelle/examples/NAMEN.TIF"
    printf 'Paula Neumeister\t \t41\tN\t102000\r\nOtto Zander\t \t42\tG\t103000\r\n'
} >erwartet
cmp -s erwartet kelmar/NAMEN.TIF || fail "saved file differs: $(cmp erwartet kelmar/NAMEN.TIF)"
echo "table taken in and saved byte for byte"
python3 -c 'import sys, zipfile; sys.stdout.write(zipfile.ZipFile("liste.xlsx").read("xl/sharedStrings.xml").decode())' |
    grep -q "Otto Zander" || fail "the XLSX lacks the new entry"
echo "the list written as XLSX"
