#!/usr/bin/env bash
# The real program killed (SIGKILL) after typing, as a dead battery ends it: the next start
# asks, "Ja" takes the unsaved changes over, and saving writes them. Then two copies on one
# list: the second is asked first, and "Nein" leaves it unopened.
set -uo pipefail
source "$(dirname "$(realpath "$0")")/xdo.sh" "$1"

mkdir kelmar
printf 'GESAMT-DATEI\r\nOtto Zander\t \t1\tN\t100\r\nAnna Berg\t \t2\tJ\t200\r\n' >kelmar/NAMEN.TIF
cp kelmar/NAMEN.TIF original
recovery() { ls .local/state/kelmar/*.ungespeichert 2>/dev/null; }

start kelmar/NAMEN.TIF
keys Down # row 2, "Nr."
keys Tab  # "Name"
xdotool type --delay 40 "Bernd Neu"
keys Return # the cell is left: a step
for _ in $(seq 1 20); do [[ -n $(recovery) ]] && break; sleep 0.25; done
[[ -n $(recovery) ]] || fail "no recovery data a moment after a step"
[[ $(stat -c %a "$(recovery)") == 600 ]] || fail "recovery data readable by others"
[[ -f kelmar/.NAMEN.TIF.in-bearbeitung ]] || fail "no lock beside the open list"
kill -9 "$pid"
wait "$pid" 2>/dev/null
pid=
cmp -s kelmar/NAMEN.TIF original || fail "the list changed without being saved"

# The lock the killed session left is stale: no question about it, only the recovery one.
start kelmar/NAMEN.TIF
answer "Auswahl" Return # the default: the changes come back
save_and_close
finish
[[ $code == 0 ]] || fail "exit code $code after taking the changes over"
same_bytes kelmar/NAMEN.TIF 'GESAMT-DATEI\r\nOtto Zander\t \t1\tN\t100\r\nBernd Neu\t \t2\tJ\t200\r\n'
[[ -z $(recovery) ]] || fail "recovery data left after saving"
[[ ! -e kelmar/.NAMEN.TIF.in-bearbeitung ]] || fail "lock left after closing"

# Two copies on one list: the second is asked before it opens it.
start kelmar/NAMEN.TIF
first=$pid
press "$main" Down
"$program" kelmar/NAMEN.TIF 2>>"$work/stderr.log" &
second=$!
answer "Auswahl" alt+n
second_code=0
wait "$second" || second_code=$?
[[ $second_code == 1 ]] || fail "the second copy ended with $second_code, not 1"
[[ -f kelmar/.NAMEN.TIF.in-bearbeitung ]] || fail "the second copy took the first one's lock"
pid=$first
save_and_close
finish
[[ ! -e kelmar/.NAMEN.TIF.in-bearbeitung ]] || fail "lock left after closing"
echo "unsaved changes survived SIGKILL; a second copy was asked first"
