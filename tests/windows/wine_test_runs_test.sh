#!/usr/bin/env bash
# The rules by which scripts/test-windows.sh runs a test program under Wine, tried on a stand-in
# test program that prints what GoogleTest prints for each case: which failures run again, and
# which crash ends the run at once.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The stand-in: the case named by $CASE; its first run and a run again (with --gtest_filter)
# print different things. Each start is counted in $work/starts.
cat >"$work/tests" <<'EOF'
#!/usr/bin/env bash
echo start >>"$WORK/starts"
again=no
for argument in "$@"; do [[ $argument == --gtest_filter=* ]] && again=yes; done
run() { echo "[ RUN      ] $1"; }
ok() { echo "[       OK ] $1 (1 ms)"; }
failed() { echo "[  FAILED  ] $1 (1 ms)"; }
summary() {
  echo "[==========] $1 tests from 1 test suite ran. (2 ms total)"
  if [ -z "${2:-}" ]; then echo "[  PASSED  ] $1 tests."; exit 0; fi
  echo "[  FAILED  ] 1 test, listed below:"
  echo "[  FAILED  ] $2"
  exit 1
}
case "$CASE:$again" in
  pass:no) run A.One; ok A.One; run A.Two; ok A.Two; summary 2 ;;
  lost-once:no | lost-twice:*)
    run A.One; echo "[ LOST OUTPUT ] exit code 2 with nothing on standard error"
    echo "x_test.cpp:1: Failure"; failed A.One; summary 1 A.One ;;
  lost-once:yes) run A.One; ok A.One; summary 1 ;;
  plain-failure:no) run A.One; echo "x_test.cpp:1: Failure"; failed A.One; summary 1 A.One ;;
  lost-then-crash:no)
    run A.One; echo "[ LOST OUTPUT ] exit code 3 with nothing on standard error"
    failed A.One; run A.Two; echo "[ ABNORMAL EXIT ] exit code 3221225477"; ok A.Two
    summary 2 A.One ;;
  crash-in-passing-test:no) run A.One; echo "[ ABNORMAL EXIT ] exit code -1"; ok A.One; summary 1 ;;
  test-program-dies:no) run A.One; kill -SEGV $$ ;;
  lost-in-another-test:no)
    run A.One; echo "[ LOST OUTPUT ] exit code 2 with nothing on standard error"; ok A.One
    run A.Two; echo "x_test.cpp:1: Failure"; failed A.Two; summary 2 A.Two ;;
  *) echo "stand-in: no such case $CASE:$again"; exit 99 ;;
esac
EOF
chmod +x "$work/tests"

# Case, expected status of run_tests, starts of the stand-in, tests run again.
cases=(
  "pass                  0 1 "
  "lost-once             0 2 A.One"
  "lost-twice            1 2 A.One"
  "plain-failure         1 1 "
  "lost-then-crash       1 1 "
  "crash-in-passing-test 1 1 "
  "test-program-dies     1 1 "
  "lost-in-another-test  1 1 "
)
failures=0
for entry in "${cases[@]}"; do
  read -r name status starts again <<<"$entry"
  rm -f "$work/starts"
  # Each case in a shell of its own, as the Windows test script runs it.
  result=$(CASE=$name WORK=$work bash -c '
    set -euo pipefail
    . "$1/scripts/wine-test-runs.sh"
    run_tests "$2" >/dev/null && status=0 || status=$?
    echo "$status|${rerun[*]}"' _ "$root" "$work/tests" 2>/dev/null)
  got="$result|$(wc -l <"$work/starts")"
  want="$status|${again:-}|$starts"
  if [ "$got" != "$want" ]; then
    echo "FAILED $name: status, tests run again, starts: got '$got', want '$want'"
    failures=$((failures + 1))
  fi
done
[ "$failures" -eq 0 ] && echo "wine_test_runs_test: ${#cases[@]} cases passed"
exit "$failures"
