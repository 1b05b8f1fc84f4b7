#!/usr/bin/env bash
# Start-up time and peak memory of the editor on 1000 entries against two bare reference
# windows (a filled and an empty 1001 x 4 table, menu and toolbar, ended at the first paint),
# paired in one run, offscreen; medians. Usage: bench/compare_startup.sh <build folder> [runs]
set -euo pipefail
build=$(realpath "${1:-build}")
runs=${2:-30}
export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work
cd "$work"
{
    printf 'GESAMT-DATEI\r\n'
    for i in $(seq 1 1000); do printf 'Spieler Nummer %d\t \t%d\tN\t%d\r\n' "$i" "$i" $((100000 + i)); done
} > NAMEN.TIF
editor="$build/bench/open_and_close $work/NAMEN.TIF"
filled="$build/bench/reference_window"
empty="$build/bench/reference_window --empty"
$editor || { echo "the editor did not start"; exit 1; }

hyperfine --warmup 3 --runs "$runs" -N --export-json times.json "$editor" "$filled" "$empty" >/dev/null
# Peak memory, paired: each round runs all three once.
for _ in $(seq 1 "$runs"); do
    for cmd in "$editor" "$filled" "$empty"; do
        /usr/bin/time -f "%M" $cmd 2>&1 >/dev/null | tail -n 1
    done
done > memory.txt
python3 - <<'PY'
import json, statistics
r = json.load(open("times.json"))["results"]
t = [statistics.median(x["times"]) * 1000 for x in r]
m = [int(v) for v in open("memory.txt").read().split()]
mem = [statistics.median(m[i::3]) / 1024 for i in range(3)]
names = ["editor", "reference, filled table", "reference, empty table"]
for n, ti, mi in zip(names, t, mem):
    print(f"{n:26s} {ti:6.1f} ms {mi:6.1f} MiB")
for i in (1, 2):
    print(f"editor / {names[i]}: time {t[0] / t[i]:.2f}, memory {mem[0] / mem[i]:.2f}")
print("target against the empty table: time <= 1.15, memory <= 1.10")
PY
