#!/usr/bin/env bash
# Makes the spreadsheet fixtures from the CSV and FODS sources beside this script with a real
# spreadsheet program (LibreOffice Calc, which scripts/install-deps.sh --test installs). Run once;
# the results are kept in the repository.
# Language 1031 (German) makes "12,5" a number and "01.03.15" a date, as a German user types them.
set -euo pipefail
cd "$(dirname "$0")"
# Calc takes its language, and so the dates' look, from the locale variables.
soffice() { LC_ALL=de_DE.UTF-8 command soffice --headless "$@" >/dev/null 2>&1; }
calc() { soffice --infilter="$1" --convert-to "$2" "$3"; }
for name in mitglieder abgleich; do
    for to in xlsx ods; do calc "CSV:59,34,76,1,,1031" "$to" "$name.csv"; done
done
calc "CSV:59,34,76,1,,1031" xls mitglieder.csv
calc "CSV:44,34,76,1,,1031" xlsx anfuehrung.csv
# The table as Calc writes it for a Windows program: Windows-1252, semicolons.
soffice --convert-to 'csv:Text - txt - csv (StarCalc):59,34,1252' --outdir /tmp abgleich.ods
mv /tmp/abgleich.csv windows1252.csv
for to in xlsx ods; do soffice --convert-to "$to" blaetter.fods; done
