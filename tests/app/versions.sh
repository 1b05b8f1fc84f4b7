#!/usr/bin/env bash
# Earlier versions in the real program under Xvfb: a list saved, an entry deleted and saved
# again; Datei › Frühere Fassungen… shows the version before with the deleted entry ticked, Enter
# puts it back at its place, Ctrl+S saves; then the file's bytes are the first ones again.
set -uo pipefail
source "$(dirname "$(realpath "$0")")/xdo.sh" "$1"

mkdir kelmar
liste='GESAMT-DATEI\r\nAnna Berg\t \t1\tN\t100\r\nOtto Zander\t \t2\tJ\t200\r\nKarl Adam\t \t3\tG\t\r\n'
printf "$liste" >kelmar/NAMEN.TIF

speichern() {
    keys alt+d
    xdotool key p
    answer "Hinweis" Return
}
start "$work/kelmar/NAMEN.TIF"
speichern
keys ctrl+l
speichern
keys alt+d
xdotool key f
answer "Frühere Fassungen" Return
save_and_close
finish
[[ $code == 0 ]] || fail "exit code $code, not 0"
same_bytes kelmar/NAMEN.TIF "$liste"
ls "$work/.local/state/kelmar/fassungen/"*/ | grep -q '\.TIF$' || fail "no version kept"
echo "the deleted entry restored from the version before, saved byte for byte"
