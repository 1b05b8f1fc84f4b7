#!/usr/bin/env bash
# Start-up time and peak memory of the editor on 1000 entries against the bare reference
# window, measured in one run, offscreen. Usage: bench/compare_startup.sh <build folder>
set -euo pipefail
build=$(realpath "${1:-build}")
export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work
cd "$work"
{
    printf 'GESAMT-DATEI\r\n'
    for i in $(seq 1 1000); do printf 'Spieler Nummer %d\t \t%d\tN\t%d\r\n' "$i" "$i" $((100000 + i)); done
} > NAMEN.TIF
editor=("$build/bench/open_and_close" "$work/NAMEN.TIF")
reference=("$build/bench/reference_window")
"${editor[@]}" || { echo "the editor did not start"; exit 1; }

hyperfine --warmup 3 --runs 30 -N --export-json times.json \
    "${editor[*]}" "${reference[*]}" >/dev/null
read -r t_editor t_reference < <(python3 - <<'PY'
import json
r = json.load(open("times.json"))["results"]
print(r[0]["mean"] * 1000, r[1]["mean"] * 1000)
PY
)
peak() { /usr/bin/time -f "%M" "$@" 2>&1 >/dev/null | tail -n 1; }
m_editor=0; m_reference=0
for _ in 1 2 3 4 5; do
    m=$(peak "${editor[@]}"); (( m > m_editor )) && m_editor=$m
    m=$(peak "${reference[@]}"); (( m > m_reference )) && m_reference=$m
done
python3 - "$t_editor" "$t_reference" "$m_editor" "$m_reference" <<'PY'
import sys
te, tr, me, mr = map(float, sys.argv[1:])
print(f"start-up: editor {te:.1f} ms, reference {tr:.1f} ms, ratio {te / tr:.2f} (target <= 1.30)")
print(f"peak memory: editor {me / 1024:.1f} MiB, reference {mr / 1024:.1f} MiB, ratio {me / mr:.2f} (target <= 1.30)")
PY
