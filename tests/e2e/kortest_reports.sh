#!/usr/bin/env bash
# Formatters and routers chosen by name: the native XML and JUnit reports
# reach the named file (or the data directory's test_results.txt when no
# name is given); a suite name that matches no suite still formats, routes
# and publishes 0, 0, 0; unknown names are reported, never fatal.
source "$(dirname "$0")/lib.sh"
cat >"$WORK/korhost.ini" <<INI
[Directories]
Data Directory = $WORK/data
[KorTest]
kortest = 74372F72,BA35,4766,A9,53,74,13,03,A2,38,51
INI
run() {
  run_korhost "$WORK/out" "$WORK/err" --config "$WORK/korhost.ini" \
    run_programmer_tests "$@"
}
xpath() { xmllint --xpath "$1" "$2"; }

# Native XML to a named file in a directory that does not exist yet.
rc=$(run --suite_name "Spec Suite" --results_formatter GenXmlResultsFormatter \
  --results_router GenFileResultsRouter \
  --result_filename.txt "$WORK/reports/specsuite.xml")
[ "$rc" = 0 ] || fail "xml run exited $rc: $(cat "$WORK/err")"
xmllint --noout "$WORK/reports/specsuite.xml" || fail "specsuite.xml is not XML"
[ "$(xpath 'name(/*)' "$WORK/reports/specsuite.xml")" = korTestResults ] ||
  fail "root is not korTestResults"
[ "$(xpath 'string(/korTestResults/suite/@name)' "$WORK/reports/specsuite.xml")" = "Spec Suite" ] ||
  fail "the suite element is not Spec Suite"
records=$(grep -o ' \.\.\. ' "$WORK/out" | wc -l)
[ "$(xpath 'count(//testcase)' "$WORK/reports/specsuite.xml")" = "$records" ] ||
  fail "testcase count differs from the console"
[ ! -e "$WORK/data/test_results.txt" ] || fail "the data file was written too"

# JUnit without a file name goes to the data directory's test_results.txt.
rc=$(run --results_formatter GenJUnitResultsFormatter \
  --results_router GenFileResultsRouter)
[ "$rc" = 0 ] || fail "junit run exited $rc: $(cat "$WORK/err")"
junit=$WORK/data/test_results.txt
[ "$(xpath 'name(/*)' "$junit")" = testsuites ] || fail "no JUnit report in $junit"
schema=${KORTEST_SOURCE:-}/tests/schemas/junit-10.xsd
if [ -f "$schema" ]; then
  xmllint --noout --schema "$schema" "$junit" 2>/dev/null ||
    fail "the JUnit report does not validate"
fi

# The class name is no suite name: nothing runs, the report is still made,
# and the status says that nothing was selected.
rc=$(run --suite_name SpecSuite --results_formatter GenXmlResultsFormatter \
  --results_router GenFileResultsRouter --result_filename.txt "$WORK/none.xml")
[ "$rc" = 4 ] || fail "unmatched suite exited $rc"
[ "$(cat "$WORK/out")" = "0 passed, 0 failed, 0 skipped" ] ||
  fail "unmatched suite printed: $(cat "$WORK/out")"
[ "$(xpath 'count(/korTestResults/*)' "$WORK/none.xml")" = 0 ] ||
  fail "the empty report has children"
[ "$(xpath 'string(/korTestResults/@passed)' "$WORK/none.xml")" = true ] ||
  fail "the empty report did not pass"

# The Visual Studio lines go to standard output after the console lines.
rc=$(run --suite_name "Spec Suite" \
  --results_formatter GenVisualStudioResultsFormatter \
  --results_router GenStdStreamsResultsRouter)
[ "$rc" = 0 ] || fail "visual studio run exited $rc"
[ "$(tail -n 1 "$WORK/out")" = "$(tail -n 1 "$EXPECTED/run_spec_suite.txt")" ] ||
  fail "closing line differs: $(tail -n 1 "$WORK/out")"

# Unknown or missing names: one report each on stderr, the run still counts.
rc=$(run --suite_name "Spec Suite" --results_formatter NoSuchFormatter)
[ "$rc" = 0 ] || fail "unknown formatter exited $rc"
grep -q 'No results formatter is named "NoSuchFormatter"' "$WORK/err" ||
  fail "unknown formatter not reported: $(cat "$WORK/err")"
[ "$(tail -n 1 "$WORK/out")" = "$(tail -n 1 "$EXPECTED/run_spec_suite.txt")" ] ||
  fail "the run without a formatter did not count"
rc=$(run --suite_name "Spec Suite" --results_formatter GenXmlResultsFormatter)
[ "$rc" = 0 ] || fail "missing router exited $rc"
grep -q 'No results router was chosen' "$WORK/err" ||
  fail "missing router not reported: $(cat "$WORK/err")"
echo "kortest_reports: ok"
