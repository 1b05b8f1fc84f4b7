#!/usr/bin/env bash
# Builds the Debian package as a maintainer does, from a clean copy of the committed source
# with dpkg-buildpackage, and checks it: no build folder in any file, both binaries hardened,
# lintian without error or warning. A second build in another folder, time zone, locale and
# umask must give the same bytes. As root the package is then installed, what desktops read is
# validated, the installed program is started far enough to reach its open dialog, and the
# package is removed again.
# Usage: package_test.sh SOURCE   (GESAMT_PACKAGE_ONCE=1: one build, no comparison;
# GESAMT_PACKAGE_UNCACHED=1: both builds without a compiler cache)
set -uo pipefail
source=$(realpath "$1")
fail() { echo "FAILED: $*"; exit 1; }
git -C "$source" rev-parse --verify -q HEAD >/dev/null || { echo "no commit to build"; exit 77; }
export DEBIAN_FRONTEND=noninteractive
work=$(mktemp -d)
installed=
cleanup() {
    [[ -n $installed ]] && apt-get remove -y -q gesamt >/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# The committed source, as a clone has it, built in that folder; the tests run in the suite
# itself. The first build starts from an empty compiler cache of its own, so everything is
# compiled; the second starts from a copy of it in its other folder: a compilation whose input
# differs there (a path, a date, a generated file, the umask, the time zone) misses it and runs,
# and only the same input with the same options is taken from it, so the comparison below still
# sees every difference. GESAMT_PACKAGE_UNCACHED=1 (scripts/test.sh --full) builds both without.
cache() {
    [[ ${GESAMT_PACKAGE_UNCACHED:-} != 1 ]] && command -v ccache >/dev/null
}
build() {
    local dir=$1 cachedir=$2
    shift 2
    mkdir -p "$dir/gesamt"
    git -C "$source" archive HEAD | tar -x -C "$dir/gesamt" || fail "exporting the source"
    local launcher=()
    if cache; then
        launcher=(CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_DIR="$cachedir"
                  CCACHE_BASEDIR="$dir/gesamt" CCACHE_MAXSIZE=2G)
    fi
    local start=$SECONDS
    (cd "$dir/gesamt" &&
        env -u CMAKE_CXX_COMPILER_LAUNCHER -u CMAKE_C_COMPILER_LAUNCHER -u CCACHE_DIR \
            -u CCACHE_BASEDIR "${launcher[@]}" \
            DEB_BUILD_OPTIONS="nocheck parallel=$(nproc)" DEB_BUILD_PROFILES=nocheck "$@" \
            dpkg-buildpackage -us -uc -b \
            >"$dir/build.log" 2>&1) ||
        { tail -n 40 "$dir/build.log"; fail "dpkg-buildpackage in $dir"; }
    echo "built in $dir in $((SECONDS - start)) s"
}
build "$work/erster" "$work/cache-erster"
debs=("$work"/erster/*.deb)
deb=$work/erster/$(cd "$work/erster" && ls gesamt_*_amd64.deb)
dpkg-deb -f "$deb"

# No file names the folder it was built in, in 8-bit text or UTF-16, compressed or not.
utf16=$(printf '%s' "$work" | od -An -tx1 -v | tr -d ' \n' | sed 's/\(..\)/\\x\1\\x00/g')
for d in "${debs[@]}"; do
    x=$work/x/$(basename "$d")
    mkdir -p "$work/x" && dpkg-deb -R "$d" "$x" || fail "extracting $d"
    while IFS= read -r -d '' f; do
        if [[ $f == *.gz ]]; then text() { zcat "$f"; }; else text() { cat "$f"; }; fi
        text | LC_ALL=C grep -qaF "$work" && fail "${f#"$x"} names the build folder"
        text | LC_ALL=C grep -qaP "$utf16" && fail "${f#"$x"} names the build folder in UTF-16"
    done < <(find "$x" -type f -print0)
done
echo "no file names the build folder"

# The program and its modules hardened alike. Control-flow protection is left out: Debian 12's
# C library start files carry no such note, so no program on it has one. A module's calls to
# memcpy and memmove may have sizes no compiler can check, so hardening-check may find no
# fortified call to count there; that it was built fortified is read from the build's own
# commands instead.
x=$work/x/$(basename "$deb")
hardening-check --nocfprotection "$x/usr/bin/gesamt" || fail "hardening of the program"
for m in "gesamt-drucker printer/CMakeFiles/gesamt-drucker.dir/qtdrucker"  \
         "gesamt-tabelle tabelle/CMakeFiles/gesamt_tabelle.dir/"; do
    read -r name objects <<<"$m"
    hardening-check --nocfprotection --nofortify "$x/usr/libexec/gesamt/$name.so" ||
        fail "hardening of $name.so"
    grep -E -- "-o ${objects%/*}/" "$work/erster/build.log" |
        grep -qv -- "-D_FORTIFY_SOURCE=2" && fail "$name.so was built without fortify"
    grep -qE -- "-D_FORTIFY_SOURCE=2.*-o $objects" "$work/erster/build.log" ||
        fail "the build of $name.so is not in the log"
done
report=$(lintian --fail-on error,warning "$work"/erster/*.changes 2>&1)
status=$?
report=$(grep -v "root privileges" <<<"$report")
[[ $status -eq 0 && -z $report ]] || fail "lintian: $report"
echo "lintian: no error or warning"

if [[ ${GESAMT_PACKAGE_ONCE:-} != 1 ]]; then
    if cache; then
        mkdir -p "$work/zweiter"
        cp -a "$work/cache-erster" "$work/zweiter/cache"
        CCACHE_DIR="$work/zweiter/cache" ccache --zero-stats >/dev/null
    fi
    build "$work/zweiter/anderer-ordner" "$work/zweiter/cache" \
        TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 bash -c 'umask 0002 && exec "$@"' umask
    if cache; then
        echo "second build, from the first one's cache: $(CCACHE_DIR="$work/zweiter/cache" \
            ccache --print-stats | awk -F'\t' '$1 ~ /^(direct|preprocessed)_cache_hit$/ {hit += $2}
                $1 == "cache_miss" {miss = $2} END {print hit + 0 " compilations taken, " miss + 0 " compiled"}')"
    fi
    for d in "${debs[@]}"; do
        again=$work/zweiter/anderer-ordner/$(basename "$d")
        if ! cmp -s "$d" "$again"; then
            dpkg-deb -R "$again" "$work/y"
            diff -rq "$work/x/$(basename "$d")" "$work/y"
            fail "$(basename "$d") differs between the two builds"
        fi
    done
    echo "the second build gave the same bytes"
fi
(cd "$work/erster" && sha256sum ./*.deb)

[[ $(id -u) -eq 0 ]] || { echo "installing needs root: skipped"; exit 77; }
apt-get install -y -q "$deb" >/dev/null || fail "apt-get install"
installed=1
desktop-file-validate /usr/share/applications/gesamt.desktop || fail "desktop entry"
[[ -f /usr/share/icons/hicolor/256x256/apps/gesamt.png && -f /usr/share/icons/hicolor/scalable/apps/gesamt.svg ]] ||
    fail "icons missing"
# The modules, where the program looks for them (../libexec/gesamt beside /usr/bin).
for module in /usr/libexec/gesamt/gesamt-drucker.so /usr/libexec/gesamt/gesamt-tabelle.so; do
    [[ -f $module ]] || fail "$module missing"
    ldd "$module" | grep -q "not found" && fail "$module lacks libraries: $(ldd "$module")"
done
appstreamcli validate --no-net /usr/share/metainfo/org.example.gesamt.metainfo.xml ||
    fail "software centre entry"
man -w gesamt >/dev/null || fail "no manual page"

home=$work/home
mkdir -p "$home"
cd "$home"
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
HOME=$home QT_QPA_PLATFORM=xcb /usr/bin/gesamt 2>/dev/null &
pid=$!
id=
for _ in $(seq 1 60); do
    id=$(xdotool search --onlyvisible --name '^Öffnen$' 2>/dev/null | tail -n 1)
    [[ -n $id ]] && break
    sleep 0.5
done
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
cd /
[[ -n $id ]] || fail "the installed program did not reach its open dialog"
echo "the installed program reached its open dialog"

# The source package and lintian --pedantic on everything, then the package's own autopkgtest
# against the package installed here.
"$source/tests/packaging/maintainer_checks.sh" "$source" "$(ls "$work"/erster/gesamt_*.changes)" ||
    fail "the maintainer's checks"
