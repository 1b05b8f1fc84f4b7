#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given seconds (default 20).
# Usage: scripts/fuzz.sh [seconds [build folder]]   (a folder configured with -DGESAMT_FUZZ=ON,
# as the test command's sanitizer build is; without one, build-fuzz is set up)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
build=${2:-}
if [[ -z $build ]]; then
    build=build-fuzz
    command -v clang++ >/dev/null || scripts/install-deps.sh --test-build
    CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DGESAMT_FUZZ=ON -DGESAMT_WERROR=ON -DBUILD_TESTING=OFF -DGESAMT_BUILD_BENCH=OFF
fi
targets=(namefile profile text commands erkennung csv tabelle wiederherstellung sperre aufzeichnung
         fassungen vorschau)
cmake --build "$build" --target "${targets[@]/#/fuzz_}"
for target in "${targets[@]}"; do mkdir -p "$build/corpus/$target"; done
cp tests/namefile/corpus/* "$build"/corpus/namefile/
cp tests/namefile/corpus/* "$build"/corpus/erkennung/ # name-file lines are pasted too
# Table seeds: the first byte picks the encoding (CSV) or what the rest is (see fuzz_tabelle.cpp).
# Preview seeds: the first byte as in fuzz_vorschau.cpp; a table's seeds are a whole CSV (0).
for f in tests/tabelle/*.csv; do
    for kind in csv vorschau; do
        { printf '\0'; cat "$f"; } > "$build/corpus/$kind/$(basename "$f")"
    done
done
for f in tests/tabelle/*.ods tests/tabelle/*.xlsx; do
    { printf '\0'; cat "$f"; } > "$build/corpus/tabelle/$(basename "$f")"
done
printf '\1<office:document-content xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"><table:table table:name="T"><table:table-row table:number-rows-repeated="2"><table:table-cell table:number-columns-repeated="3"><text:p>a<text:s c="2"/>b</text:p></table:table-cell></table:table-row></table:table></office:document-content>' \
    > "$build"/corpus/tabelle/ods-inhalt
printf '\2<worksheet><sheetData><row r="2"><c r="B2" t="s"><v>1</v></c><c t="inlineStr"><is><t>x</t></is></c><c s="1"><v>42064</v></c></row></sheetData></worksheet>' \
    > "$build"/corpus/tabelle/xlsx-blatt
printf '\3<sst><si><r><t>a_x000D_</t></r><rPh><t>b</t></rPh></si><si><t>c</t></si></sst>' \
    > "$build"/corpus/tabelle/xlsx-texte
printf '\4<styleSheet><numFmts><numFmt numFmtId="164" formatCode="[$-407]dd/mm/yy hh:mm"/><numFmt numFmtId="165" formatCode="#,##0.00%%;[Red]-0"/></numFmts><cellXfs><xf numFmtId="164"/><xf numFmtId="165"/></cellXfs></styleSheet>' \
    > "$build"/corpus/tabelle/xlsx-stile
printf '\1<office:document-content xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"><table:table table:name="T"><table:table-row><table:table-cell><text:p>Name</text:p></table:table-cell><table:table-cell><text:p>MP</text:p></table:table-cell></table:table-row><table:table-row table:number-rows-repeated="2000"><table:table-cell><text:p>Anna Berg</text:p></table:table-cell><table:table-cell table:number-columns-repeated="100"><text:p>j</text:p></table:table-cell></table:table-row></table:table></office:document-content>' \
    > "$build"/corpus/vorschau/ods-wiederholt
printf '\2<worksheet><sheetData><row><c t="inlineStr"><is><t>Mitgliedsnr</t></is></c><c t="inlineStr"><is><t>Name</t></is></c></row><row><c><v>101</v></c><c t="inlineStr"><is><t>Hans Meier</t></is></c><c r="XFD2" t="inlineStr"><is><t>x</t></is></c></row></sheetData></worksheet>' \
    > "$build"/corpus/vorschau/xlsx-breit
printf '\3Name\tMP\tMitgliedsnr.\nAnna Berg\tj\t101\nJ\xc3\xbcrgen Wei\xc3\x9f\tG\t\n' \
    > "$build"/corpus/vorschau/eingefuegt
for kind in wiederherstellung sperre aufzeichnung; do
    cp tests/sitzung/corpus/$kind.* "$build"/corpus/$kind/
done
cp tests/fassungen/corpus/* "$build"/corpus/fassungen/
pids=()
for target in "${targets[@]}"; do
    "$build"/tests/fuzz/fuzz_$target -max_total_time="$seconds" -max_len=65536 \
        -artifact_prefix="$build/crash-$target-" "$build"/corpus/$target \
        > "$build/fuzz_$target.log" 2>&1 &
    pids+=($!)
done
status=0
for i in "${!pids[@]}"; do
    wait "${pids[$i]}" || status=1
done
for target in "${targets[@]}"; do
    echo "fuzz_$target: $(grep -E '^#[0-9]+.*DONE|Done [0-9]+ runs' "$build/fuzz_$target.log" | tail -n 1)"
    grep -E "ERROR|SUMMARY" "$build/fuzz_$target.log" || true
done
exit $status
