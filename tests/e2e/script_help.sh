#!/usr/bin/env bash
# `korhost run_programmer_tests --help` says what each option the script
# declares does, with its type and default; the formatter and router
# options name the classes they accept. One expected line per option.
source "$(dirname "$0")/lib.sh"
expect 0 run_programmer_tests --help
sed -n '/^  --suite_name /,/^  --random_seed /p' "$WORK/out" >"$WORK/options"
same_as "$EXPECTED/script_help_options.txt" "$WORK/options"
echo "script_help: ok"
