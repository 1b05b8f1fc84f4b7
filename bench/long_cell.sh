#!/usr/bin/env bash
# Time and peak memory of opening, scrolling and saving a name file that holds one 50 MB line.
# Usage: bench/long_cell.sh <build folder>
set -euo pipefail
build=$(realpath "${1:-build}")
export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work
cd "$work"
python3 -c "
import sys
sys.stdout.buffer.write(b'GESAMT-DATEI\r\n' + b'Meier ' * (50 * 2**20 // 6) + b'Meier\t \t1\tN\t\r\n')" > NAMEN.TIF
size=$(stat -c %s NAMEN.TIF)
before=$(sha256sum < NAMEN.TIF)
read -r seconds kib < <(/usr/bin/time -f "%e %M" "$build/bench/open_and_close" NAMEN.TIF --scroll-and-save 2>&1 >/dev/null | tail -n 1)
[[ $(sha256sum < NAMEN.TIF) == "$before" ]] || { echo "the saved file differs"; exit 1; }
python3 - "$seconds" "$kib" "$size" <<'PY'
import sys
s, kib, size = float(sys.argv[1]), float(sys.argv[2]), float(sys.argv[3])
print(f"one {size / 2**20:.0f} MB line: open, scroll, save {s:.2f} s (target <= 2), "
      f"peak {kib / 1024:.0f} MiB = {kib * 1024 / size:.1f} x the file (target <= 4)")
PY
