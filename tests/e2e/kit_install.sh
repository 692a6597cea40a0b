#!/usr/bin/env bash
# An author with only an installed kortest builds the examples out of tree
# with find_package(kortest), all of examples/ at once and one folder copied
# alone, and runs each with the installed korhost.
source "$(dirname "$0")/lib.sh"
install_kit

# The installed korhost finds libkortest.so and korhost.ini in ../lib/kortest.
expect 0 info
grep -qF "instance \"kortest\" ($PREFIX/lib/kortest/libkortest.so)" "$WORK/out" \
  || fail "installed korhost did not load its libkortest.so: $(cat "$WORK/out")"

# Every installed header compiles on its own against the installed tree only.
INC=$PREFIX/include/kortest
for header in "$INC"/component/*.h "$INC"/frame/*.h "$INC"/KorBasicTypes/*.h; do
  echo "#include \"$header\""
done >"$WORK/allheaders.cpp"
g++ -std=c++20 -fsyntax-only -Wall -Wextra -I"$INC" "$WORK/allheaders.cpp" 2>"$WORK/headers.err" \
  || fail "installed headers do not compile: $(head -20 "$WORK/headers.err")"

# examples/, copied out of the source tree, configures and builds against the prefix.
cp -r "$KORTEST_SOURCE/examples" "$WORK/src"
build_with_kit "$WORK/src" "$WORK/build"
KIT=$WORK/build/kit
PLUGINS=$KIT/kortest-plugins
CONFIG=$KIT/greetingtests.korhost.ini
[ -f "$PLUGINS/libgreetingtests.so" ] || fail "no libgreetingtests.so in $PLUGINS"
grep -qx "greetingtests = 155AFEB7,6DD1,4A7E,93,73,EA,51,DC,0F,DC,77" "$CONFIG" \
  || fail "config does not list the component: $(cat "$CONFIG")"
exports=$(nm -D --defined-only "$PLUGINS/libgreetingtests.so" | awk '{print $NF}')
[ "$exports" = EntryPoint ] || fail "component exports more than EntryPoint: $exports"

# korhost loads the component and its class factory answers.
expect 0 --plugins "$PLUGINS" --config "$CONFIG" info
out_has '^component greetingtests {155AFEB7-6DD1-4A7E-9373-EA51DC0FDC77} instance "greetingtests"'
grep -A1 '^component greetingtests ' "$WORK/out" | grep -q '^  classes: 0$' \
  || fail "greetingtests class factory did not answer: $(cat "$WORK/out")"

# Its tests, and only they, run and reach the JUnit report.
expect 0 --plugins "$PLUGINS" --config "$CONFIG" run_programmer_tests --results_formatter \
  GenJUnitResultsFormatter --results_router GenFileResultsRouter --result_filename.txt "$WORK/junit.xml"
[ -f "$WORK/junit.xml" ] || fail "no JUnit file: $(cat "$WORK/out" "$WORK/err")"
for test in "Greets by name" "Greeting length" "Core library string" "Greets \[a-z\] or ?" \
  "Greets \* everyone" "Greets in any script"; do
  grep -q "<testcase classname=\"Greeting Suite\.greetingsuite\" name=\"$test\"" "$WORK/junit.xml" \
    || fail "$test missing from the JUnit file: $(cat "$WORK/junit.xml")"
done
! grep -q '<failure' "$WORK/junit.xml" || fail "a test failed: $(cat "$WORK/junit.xml")"
! grep -q "Spec Suite" "$WORK/junit.xml" || fail "built-in suites ran although only greetingtests is listed"
# CTest: kortest_discover_tests registered one test per programmer test;
# each runs in its own korhost process and covers exactly its test, the
# disabled one is not run.
ctest --test-dir "$KIT" -j2 --output-junit "$WORK/ctest.xml" >"$WORK/ctest.log" 2>&1 ||
  fail "ctest: $(cat "$WORK/ctest.log")"
enabled=("Greets by name" "Greeting length" "Core library string" "Greets [a-z] or ?" "Greets * everyone")
[ "$(xmllint --xpath 'count(//testcase)' "$WORK/ctest.xml")" = 6 ] ||
  fail "ctest did not register six tests: $(cat "$WORK/ctest.log")"
for test in "${enabled[@]}"; do
  case="//testcase[@name=\"Greeting Suite.$test\"]"
  [ "$(xmllint --xpath "string($case/@status)" "$WORK/ctest.xml")" = run ] ||
    fail "ctest did not run \"$test\": $(cat "$WORK/ctest.log")"
  xmllint --xpath "string($case/system-out)" "$WORK/ctest.xml" >"$WORK/case.out"
  grep -o ' \.\.\. ' "$WORK/case.out" | wc -l | grep -qx 1 || fail "\"$test\" ran more: $(cat "$WORK/case.out")"
  grep -qF "   Greeting Suite.$test ... " "$WORK/case.out" || fail "\"$test\" not in its output"
  grep -qx '1 passed, 0 failed, 0 skipped' "$WORK/case.out" || fail "\"$test\" counts: $(cat "$WORK/case.out")"
done
[ "$(xmllint --xpath 'string(//testcase[@name="Greeting Suite.Greets in any script"]/@status)' \
  "$WORK/ctest.xml")" = disabled ] || fail "the disabled test was not reported disabled"
grep -qF "Greeting Suite.Greets in any script (Disabled)" "$WORK/ctest.log" ||
  fail "ctest did not list the disabled test as not run: $(cat "$WORK/ctest.log")"

# The data-driven example: every case of its tables is a test of its own,
# listed with the line that added it, run alone by CTest and dealt to shards.
ROMAN=(--plugins "$WORK/build/datadriven/kortest-plugins" --config "$WORK/build/datadriven/romantests.korhost.ini")
expect 0 "${ROMAN[@]}" list --format json
jq -r '.[] | [.fullName, .enabled, .disabledReason, .file, .line] | map(tostring) | join("|")' \
  "$WORK/out" >"$WORK/roman.txt"
same_as "$EXPECTED/kit_datadriven_list.txt" "$WORK/roman.txt"
cut -d'|' -f1 "$WORK/roman.txt" >"$WORK/roman_names.txt"
ctest --test-dir "$WORK/build/datadriven" -j2 --output-junit "$WORK/roman.xml" >"$WORK/ctest.log" 2>&1 ||
  fail "data-driven ctest: $(cat "$WORK/ctest.log")"
[ "$(xmllint --xpath 'count(//testcase[@status="run"])' "$WORK/roman.xml")" = 11 ] &&
  [ "$(xmllint --xpath 'count(//testcase[@status="disabled"])' "$WORK/roman.xml")" = 1 ] ||
  fail "ctest did not run eleven cases and skip one: $(cat "$WORK/ctest.log")"
while read -r name; do
  case="//testcase[@name=\"$name\"]"
  [ "$(xmllint --xpath "string($case/@status)" "$WORK/roman.xml")" != disabled ] || continue
  xmllint --xpath "string($case/system-out)" "$WORK/roman.xml" >"$WORK/case.out"
  [ "$(grep -c ' \.\.\. ' "$WORK/case.out")" = 1 ] && grep -qF "   $name ... " "$WORK/case.out" ||
    fail "ctest did not run \"$name\" alone: $(cat "$WORK/case.out")"
done <"$WORK/roman_names.txt"
for shard in 0 1 2; do
  expect 0 "${ROMAN[@]}" run_programmer_tests --shard-index $shard --shard-count 3
  grep -o '   Roman Suite\.[^.]* \.\.\. ' "$WORK/out" | sed 's/^   //; s/ \.\.\. $//' \
    >"$WORK/names$shard.txt"
  [ "$(wc -l <"$WORK/names$shard.txt")" = 4 ] || fail "shard $shard: $(cat "$WORK/out")"
done
expect 0 "${ROMAN[@]}" run_programmer_tests --filter 'Roman Suite.Round trip of 3*'
last_line '2 passed, 0 failed, 9 skipped, 1 not run' # a pattern picks two cases
sort "$WORK/roman_names.txt" >"$WORK/unsharded.txt"
sort "$WORK"/names[012].txt >"$WORK/sharded.txt"
same_as "$WORK/unsharded.txt" "$WORK/sharded.txt"

# The fixtures example: its hooks give each test an empty store in the
# suite's scratch folder (made in $TMPDIR) and remove the folder at the end.
mkdir "$WORK/tmp"
TMPDIR=$WORK/tmp expect 0 --plugins "$WORK/build/fixtures/kortest-plugins" \
  --config "$WORK/build/fixtures/fixturetests.korhost.ini" run_programmer_tests
last_line '4 passed, 0 failed, 0 skipped'
[ -z "$(ls -A "$WORK/tmp")" ] || fail "the suite tear-down left $(ls -A "$WORK/tmp")"

# The failing example runs its own suite only, fails the run, and reports
# its declaration files relative to the top of the built tree.
FAILING=(--plugins "$WORK/build/failing/kortest-plugins" --config "$WORK/build/failing/korfailing.korhost.ini")
expect 1 "${FAILING[@]}" run_programmer_tests
last_line '1 passed, 2 failed, 0 skipped, 1 not run, 1 aborted'
expect 0 "${FAILING[@]}" list --format json
[ "$(jq -r '[.[].file] | unique | .[]' "$WORK/out")" = failing/failingtests.cpp ] ||
  fail "failing example's declaration files: $(cat "$WORK/out")"

# Every folder copied alone builds the same way, its files named from its top.
for example in "$KORTEST_SOURCE"/examples/*/CMakeLists.txt; do
  name=$(basename "$(dirname "$example")")
  cp -r "$(dirname "$example")" "$WORK/alone-$name"
  build_with_kit "$WORK/alone-$name" "$WORK/alone-$name/build"
  config=$(echo "$WORK/alone-$name"/build/*.korhost.ini)
  expect 0 --plugins "$WORK/alone-$name/build/kortest-plugins" --config "$config" list --format json
  files=$(jq -r '[.[].file] | unique | .[]' "$WORK/out")
  [ -n "$files" ] && [ -f "$WORK/alone-$name/$files" ] ||
    fail "$name alone lists $files: $(cat "$WORK/out" "$WORK/err")"
done
[ -d "$WORK/alone-datadriven" ] || fail "no example folders found"

# The identifier may be written in braces and lower case; anything else is
# refused at configure time with the identifier named.
mkdir "$WORK/ids"
printf '// no tests\n' >"$WORK/ids/none.cpp"
ids_project() {
  cat >"$WORK/ids/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.25)
project(ids LANGUAGES CXX)
find_package(kortest CONFIG REQUIRED)
kortest_add_test_component(ids COMPONENT_ID $1 SOURCES none.cpp)
CMAKE
  rm -rf "$WORK/ids/build"
  cmake -S "$WORK/ids" -B "$WORK/ids/build" -DCMAKE_PREFIX_PATH="$PREFIX" >"$WORK/ids.log" 2>&1
}
ids_project "{0a1b2c3d-4e5f-6071-8293-a4b5c6d7e8f9}" || fail "braced GUID refused: $(cat "$WORK/ids.log")"
grep -qx "ids = 0A1B2C3D,4E5F,6071,82,93,A4,B5,C6,D7,E8,F9" "$WORK/ids/build/ids.korhost.ini" \
  || fail "braced GUID written as: $(cat "$WORK/ids/build/ids.korhost.ini")"
grep -q "0x0A1B2C3D, 0x4E5F, 0x6071, 0x82, 0x93, 0xA4, 0xB5, 0xC6, 0xD7, 0xE8, 0xF9" \
  "$WORK/ids/build/ids_component.cpp" || fail "identifier not in the generated entry"
if ids_project "0A1B2C3D-4E5F-6071-8293"; then fail "short GUID accepted"; fi
grep -q 'COMPONENT_ID "0A1B2C3D-4E5F-6071-8293" is' "$WORK/ids.log" \
  || fail "short GUID not named: $(cat "$WORK/ids.log")"
echo "kit_install: ok"
