#!/usr/bin/env bash
# Formatters and routers chosen by name: the native XML and JUnit reports
# reach the named file (or the data directory's test_results.txt when no
# name is given); a suite name that matches no suite still formats, routes
# and publishes 0, 0, 0; unknown names are reported, never fatal.
source "$(dirname "$0")/lib.sh"
kortest_ini "$WORK/korhost.ini"
# run STATUS ARGS...: run_programmer_tests with the built-in suites.
run() { expect "$1" --config "$WORK/korhost.ini" run_programmer_tests "${@:2}"; }
xpath() { xmllint --xpath "$1" "$2"; }
FILE=(--results_router GenFileResultsRouter --result_filename.txt)

# Native XML to a named file in a directory that does not exist yet.
xml=$WORK/reports/specsuite.xml
run 0 --suite_name "Spec Suite" --results_formatter GenXmlResultsFormatter "${FILE[@]}" "$xml"
xmllint --noout "$xml" || fail "specsuite.xml is not XML"
[ "$(xpath 'name(/*)' "$xml")" = korTestResults ] || fail "root is not korTestResults"
[ "$(xpath 'string(/korTestResults/suite/@name)' "$xml")" = "Spec Suite" ] ||
  fail "the suite element is not Spec Suite"
[ "$(xpath 'count(//testcase)' "$xml")" = "$(grep -o ' \.\.\. ' "$WORK/out" | wc -l)" ] ||
  fail "testcase count differs from the console"
[ ! -e "$WORK/data/test_results.txt" ] || fail "the data file was written too"

# JUnit without a file name goes to the data directory's test_results.txt.
run 0 --results_formatter GenJUnitResultsFormatter --results_router GenFileResultsRouter
junit=$WORK/data/test_results.txt
[ "$(xpath 'name(/*)' "$junit")" = testsuites ] || fail "no JUnit report in $junit"
schema=${KORTEST_SOURCE:-}/tests/schemas/junit-10.xsd
if [ -f "$schema" ]; then
  xmllint --noout --schema "$schema" "$junit" 2>/dev/null || fail "the JUnit report does not validate"
fi

# The class name is no suite name: nothing runs, the report is still made,
# and the status says that nothing was selected.
run 4 --suite_name SpecSuite --results_formatter GenXmlResultsFormatter "${FILE[@]}" "$WORK/none.xml"
[ "$(cat "$WORK/out")" = "0 passed, 0 failed, 0 skipped" ] || fail "unmatched suite printed: $(cat "$WORK/out")"
[ "$(xpath 'count(/korTestResults/*)' "$WORK/none.xml")" = 0 ] || fail "the empty report has children"
[ "$(xpath 'string(/korTestResults/@passed)' "$WORK/none.xml")" = true ] ||
  fail "the empty report did not pass"

# The Visual Studio lines go to standard output after the console lines.
closing=$(tail -n 1 "$EXPECTED/run_spec_suite.txt")
run 0 --suite_name "Spec Suite" --results_formatter GenVisualStudioResultsFormatter \
  --results_router GenStdStreamsResultsRouter
last_line "$closing"

# Unknown or missing names: one report each on stderr, the run still counts.
run 0 --suite_name "Spec Suite" --results_formatter NoSuchFormatter
err_has 'No results formatter is named "NoSuchFormatter"'
last_line "$closing"
run 0 --suite_name "Spec Suite" --results_formatter GenXmlResultsFormatter
err_has 'No results router was chosen'
echo "kortest_reports: ok"
