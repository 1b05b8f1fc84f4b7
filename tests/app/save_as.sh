#!/usr/bin/env bash
# A list in a folder the user may not write: changed, Ctrl+S refused with the offer to save it
# elsewhere, the file dialog in ~/kelmar with its name proposed, the bytes saved there and the
# list left as it was. Then a text file opened as a list: the note, and the question before
# the first save overwrites it. Root writes everywhere, so as root the program runs as nobody.
set -uo pipefail
source "$(dirname "$(realpath "$0")")/xdo.sh" "$1"

als=()
if [[ $(id -u) == 0 ]]; then
    # The X server's cookie, where nobody can read it.
    [[ -n ${XAUTHORITY:-} ]] && cp "$XAUTHORITY" "$work/.Xauthority" && export XAUTHORITY=$work/.Xauthority
    chown -R nobody: "$work"
    chmod 755 "$work"
    als=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
fi
start_als() {
    "${als[@]}" "$program" "$@" 2>>"$work/stderr.log" &
    pid=$!
}

mkdir -p beispiel kelmar
printf 'GESAMT-DATEI\r\nAnna Berg\t \t1\tN\t\r\n' >beispiel/NAMEN.TIF
[[ ${#als[@]} -gt 0 ]] && chown -R nobody: beispiel kelmar
chmod 444 beispiel/NAMEN.TIF
chmod 555 beispiel
start_als "$work/beispiel/NAMEN.TIF"
sleep 1
keys Tab
xdotool type --delay 60 "Otto Zander"
keys ctrl+s
# "Fehler beim Speichern …: Dateizugriff verweigert. Soll die Liste unter einem anderen Namen
# gespeichert werden?" – Enter is Ja.
answer "Auswahl" Return
answer "Speichern unter" Return
answer "Hinweis" Return
finish
[[ $code == 0 ]] || fail "exit code $code, not 0"
same_bytes kelmar/NAMEN.TIF 'GESAMT-DATEI\r\nOtto Zander\t \t1\tN\t\r\n'
same_bytes beispiel/NAMEN.TIF 'GESAMT-DATEI\r\nAnna Berg\t \t1\tN\t\r\n'
ls -A kelmar | grep -q -v '^NAMEN.TIF' && fail "left beside the list: $(ls -A kelmar)"

printf 'Hallo Welt\r\n' >kelmar/TEXT.TIF
[[ ${#als[@]} -gt 0 ]] && chown nobody: kelmar/TEXT.TIF
start_als "$work/kelmar/TEXT.TIF"
answer "Hinweis" Return # its first line is not the header
sleep 1
keys ctrl+s
answer "Auswahl" Return # Enter is Nein: the file stays, the window too
same_bytes kelmar/TEXT.TIF 'Hallo Welt\r\n'
keys ctrl+s
answer "Auswahl" alt+j
answer "Hinweis" Return
finish
[[ $code == 0 ]] || fail "exit code $code, not 0"
same_bytes kelmar/TEXT.TIF 'GESAMT-DATEI\r\nHallo Welt\t \t1\t\t\r\n'
echo "saved under another name from a folder not writable; a text file asked about before its first save"
