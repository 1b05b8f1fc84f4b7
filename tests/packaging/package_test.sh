#!/usr/bin/env bash
# Builds the Debian package, installs it, validates it, starts the installed program far
# enough to reach its open dialog, and removes the package again. Needs root (77: skipped).
set -uo pipefail
build=$(realpath "$1")
source=$(realpath "$(dirname "$0")/../..")
fail() { echo "FAILED: $*"; exit 1; }
[[ $(id -u) -eq 0 ]] || { echo "needs root to install the package"; exit 77; }
export DEBIAN_FRONTEND=noninteractive

cd "$build" || fail "no build folder"
rm -f gesamt_*.deb
cpack -G DEB >/dev/null || fail "cpack"
deb=$(ls gesamt_*_amd64.deb) || fail "no package built"
echo "built $deb"

report=$(lintian --fail-on error "$deb" 2>&1)
status=$?
report=$(grep -v "root privileges" <<<"$report")
[[ $status -eq 0 ]] || fail "lintian errors: $report"
echo "lintian warnings: ${report:-none}"

apt-get install -y -q "./$deb" >/dev/null || fail "apt-get install"
trap 'apt-get remove -y -q gesamt >/dev/null' EXIT
desktop-file-validate /usr/share/applications/gesamt.desktop || fail "desktop entry"
[[ -f /usr/share/icons/hicolor/256x256/apps/gesamt.png && -f /usr/share/icons/hicolor/scalable/apps/gesamt.svg ]] ||
    fail "icons missing"
# The printer module, where the program looks for it (beside /usr/bin, in ../libexec/gesamt).
module=/usr/libexec/gesamt/gesamt-drucker.so
[[ -f $module ]] || fail "printer module missing"
ldd "$module" | grep -q "not found" && fail "printer module lacks libraries: $(ldd "$module")"
appstreamcli validate --no-net /usr/share/metainfo/org.example.gesamt.metainfo.xml ||
    fail "software centre entry"

work=$(mktemp -d)
cd "$work"
# File managers ask GIO what a file is, as xdg-mime does on such a desktop: a name list is
# one, a TIFF image with the same ending stays an image, and the program opens name lists.
cp "$source/examples/NAMEN.TIF" .
# A real 1x1 black-and-white TIFF image, as a scanner writes one: header, 11 tags, pixel.
tiff_image() {
    b16() { printf "$(printf '\\%03o\\%03o' $(($1 & 255)) $(($1 >> 8)))"; }
    b32() { b16 $(($1 & 65535)); b16 $(($1 >> 16)); }
    entry() { b16 "$1"; b16 "$2"; b32 1; if [[ $2 == 3 ]]; then b16 "$3"; b16 0; else b32 "$3"; fi; }
    printf 'II*\0'; b32 8; b16 11
    entry 256 3 1; entry 257 3 1; entry 258 3 1; entry 259 3 1; entry 262 3 0
    entry 273 4 162; entry 278 3 1; entry 279 4 1; entry 282 5 146; entry 283 5 154
    entry 296 3 2; b32 0
    b32 72; b32 1; b32 72; b32 1; printf '\0'
}
tiff_image >foto.tif
filetype() { XDG_CURRENT_DESKTOP=GNOME xdg-mime query filetype "$1"; }
[[ $(filetype NAMEN.TIF) == application/x-gesamtdatei ]] || fail "name list is $(filetype NAMEN.TIF)"
[[ $(filetype foto.tif) == image/tiff ]] || fail "TIFF image is $(filetype foto.tif)"
[[ $(gio mime application/x-gesamtdatei) == *gesamt.desktop* ]] || fail "not offered for name lists"
echo "a name list is application/x-gesamtdatei, opened by gesamt; a TIFF image stays image/tiff"
for _ in $(seq 1 50); do # the X server may still be coming up
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.2
done
HOME=$work QT_QPA_PLATFORM=xcb /usr/bin/gesamt 2>/dev/null &
pid=$!
id=
for _ in $(seq 1 60); do
    id=$(xdotool search --onlyvisible --name '^Öffnen$' 2>/dev/null | tail -n 1)
    [[ -n $id ]] && break
    sleep 0.5
done
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
cd / && rm -rf "$work"
[[ -n $id ]] || fail "the installed program did not reach its open dialog"
echo "the installed program reached its open dialog"
