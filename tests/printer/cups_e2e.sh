#!/usr/bin/env bash
# Prints from the editor on a real CUPS queue that writes PDF files, and reads what arrives.
# Needs root (it starts cupsd and adds a queue) and the packages cups and
# printer-driver-cups-pdf, which scripts/install-deps.sh --test installs.
set -uo pipefail
program=$1
fail() { echo "FAILED: $*"; exit 1; }
[[ $(id -u) -eq 0 ]] || { echo "needs root to run cupsd"; exit 77; }
command -v cupsd >/dev/null || fail "cups is not installed"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[[ -f $ppd ]] || fail "printer-driver-cups-pdf is not installed"

if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    /usr/sbin/cupsd || fail "cupsd did not start"
    for _ in $(seq 1 50); do lpstat -r 2>/dev/null | grep -q "is running" && break; sleep 0.2; done
fi
queue=GesamtTestPDF
lpadmin -p "$queue" -E -v cups-pdf:/ -P "$ppd" 2>/dev/null || fail "queue not added"
previous=$(lpstat -d 2>/dev/null | sed -n 's/.*destination: //p')
lpadmin -d "$queue"
cleanup() {
    [[ -n $previous ]] && lpadmin -d "$previous"
    lpadmin -x "$queue"
}
trap cleanup EXIT

out=$(getent passwd "$(id -un)" | cut -d: -f6)/PDF
mkdir -p "$out"
# A queue that refuses jobs: the user is told, nothing is reported as printed.
cupsreject "$queue"
refused=$("$program") || fail "the editor failed on a refusing queue (exit code $?)"
cupsaccept "$queue"
grep -q "message: Fehler beim Ausdruck der Gesamtdatei: Der Drucker nimmt zurzeit keine Aufträge an" \
    <<<"$refused" || fail "a refused job was not reported: $refused"

marker=$(mktemp)
printed=$("$program") || fail "the editor could not print (exit code $?)"
grep -q "message:" <<<"$printed" && fail "printing reported: $printed"

pdf=
for _ in $(seq 1 100); do
    pdf=$(find "$out" -name '*.pdf' -newer "$marker" | head -n 1)
    [[ -n $pdf ]] && break
    sleep 0.2
done
rm -f "$marker"
[[ -n $pdf ]] || fail "no PDF arrived in $out"
sleep 0.5
pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
text=$(pdftotext -layout "$pdf" -)
rm -f "$pdf"
[[ $pages == 2 ]] || fail "$pages pages instead of 2"
# The PDF printer re-encodes the fonts through Ghostscript; where that leaves the text
# readable, it is checked too.
if grep -q "Gesamtdatei" <<<"$text"; then
    grep -q "Gesamtdatei - .* - 120 Einträge, Seite 1" <<<"$text" || fail "header of page 1 missing"
    grep -q "Seite 2" <<<"$text" || fail "header of page 2 missing"
    grep -q "  120. Spieler Müller 120" <<<"$text" || fail "entry 120 missing"
    echo "printed on CUPS: $pages pages, headers and entries read back"
else
    echo "printed on CUPS: $pages pages (the queue's PDF carries no readable text)"
fi

# A printer removed while the editor runs: said in German, not as a system error.
removed=$("$program" --remove "$queue") || fail "the editor failed on a removed printer (exit code $?)"
grep -q "message: Fehler beim Ausdruck der Gesamtdatei: Der Drucker wurde nicht gefunden" \
    <<<"$removed" || fail "a removed printer was not reported as such: $removed"
echo "a removed printer is reported as not found"
