#!/usr/bin/env bash
# Start-up time and peak memory of the editor on 1000 entries against two bare reference
# windows (a filled and an empty 1001 x 4 table, menu and toolbar, the editor's fonts and Qt's
# German translations, ended at the first paint), paired in one run, offscreen; medians.
# Usage: bench/compare_startup.sh <build folder> [runs]
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

# Paired: every round runs the three once each, in turn, so that a busy moment of the machine
# falls on all of them; wall time and each run's own peak memory (wait4), medians.
python3 - "$runs" "$editor" "$filled" "$empty" <<'PY'
import os, statistics, subprocess, sys, time
runs, cmds = int(sys.argv[1]), [c.split() for c in sys.argv[2:]]
times, memory = [[] for _ in cmds], [[] for _ in cmds]
for round in range(runs + 3):
    for i, cmd in enumerate(cmds):
        start = time.perf_counter()
        p = subprocess.Popen(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        _, status, usage = os.wait4(p.pid, 0)
        elapsed = time.perf_counter() - start
        if status != 0:
            sys.exit(f"{cmd[0]} failed")
        if round >= 3:  # the first rounds warm the caches
            times[i].append(elapsed * 1000)
            memory[i].append(usage.ru_maxrss / 1024)
t = [statistics.median(x) for x in times]
m = [statistics.median(x) for x in memory]
names = ["editor", "reference, filled table", "reference, empty table"]
for n, ti, mi in zip(names, t, m):
    print(f"{n:26s} {ti:6.1f} ms {mi:6.1f} MiB")
for i in (1, 2):
    print(f"editor / {names[i]}: time {t[0] / t[i]:.2f}, memory {m[0] / m[i]:.2f}")
print("target against the empty table: time <= 1.15, memory <= 1.10")
PY
