#!/usr/bin/env bash
# A message catalogue named in the settings is read at start-up; a missing or
# malformed one stops korhost with one line naming the file.
source "$(dirname "$0")/lib.sh"
printf '[Translation]\nCatalogue = de.txt\n' >"$WORK/korhost.ini"
printf '# German texts\nRun Programmer Tests = Programmiertests starten\n' >"$WORK/de.txt"
expect 0 --config "$WORK/korhost.ini" info
printf 'Run Programmer Tests\n' >"$WORK/de.txt"
expect 2 --config "$WORK/korhost.ini" info
err_has "de.txt:1: not a catalogue entry"
rm "$WORK/de.txt"
one_line_error 2 "cannot read message catalogue $WORK/de.txt" --config "$WORK/korhost.ini" info
echo "catalogue: ok"
