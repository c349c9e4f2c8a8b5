# Sourced by scripts/test-windows.sh: how a test program runs under Wine.
#   run_tests PROGRAM [ARGUMENTS...]
# runs a GoogleTest program with its output shown as it comes. A failed test runs once more only
# when it shows the known loss of a child's standard error on its way back through Wine (the
# tests print "[ LOST OUTPUT ]" while it runs); a program under test that crashed or was killed
# ("[ ABNORMAL EXIT ]", even in a test that passed), or a test program that did not end
# normally, fails at once. The tests run again are added to the array `rerun`.
rerun=()

# Runs a command with its output shown as it comes and kept in the file $1; its exit status.
# Not through a pipe: the Wine services a test starts hold their standard output open.
shown_and_kept() {
  local status log=$1
  shift
  "$@" >"$log" 2>&1 &
  local pid=$!
  tail -n +1 --pid="$pid" -f "$log"
  wait "$pid" && status=0 || status=$?
  return "$status"
}

run_tests() {
  local log status name filter failed=()
  log=$(mktemp)
  shown_and_kept "$log" "$@" && status=0 || status=$?
  if grep -q '^\[ ABNORMAL EXIT \]' "$log"; then
    echo "test-windows: a program under test crashed or was killed ([ ABNORMAL EXIT ] above)"
    rm -f "$log"
    return 1
  fi
  if [ "$status" -eq 0 ]; then
    rm -f "$log"
    return 0
  fi
  if ! grep -q '^\[==========\] .* ran\. ' "$log"; then
    echo "test-windows: the test program ended abnormally (status $status)"
    rm -f "$log"
    return 1
  fi
  mapfile -t failed < <(sed -n \
    's/^\[  FAILED  \] \([A-Za-z0-9_]*\.[A-Za-z0-9_]*\)\( (.*\)\{0,1\}$/\1/p' "$log" | sort -u)
  for name in "${failed[@]}"; do
    if ! awk -v test="$name" '
        $0 == "[ RUN      ] " test { inside = 1 }
        inside && /^\[ LOST OUTPUT \]/ { lost = 1 }
        inside && index($0, "[  FAILED  ] " test " (") == 1 { inside = 0 }
        END { exit !lost }' "$log"; then
      echo "test-windows: $name failed without losing its output: not run again"
      rm -f "$log"
      return 1
    fi
  done
  if [ ${#failed[@]} -eq 0 ]; then
    rm -f "$log"
    return 1
  fi
  echo "test-windows: running again under Wine, after a lost standard error: ${failed[*]}"
  rerun+=("${failed[@]}")
  filter=$(IFS=:; echo "${failed[*]}")
  rm -f "$log"
  log=$(mktemp)
  shown_and_kept "$log" "$1" --gtest_filter="$filter" && status=0 || status=$?
  if grep -q '^\[ ABNORMAL EXIT \]' "$log"; then
    echo "test-windows: a program under test crashed or was killed ([ ABNORMAL EXIT ] above)"
    status=1
  fi
  rm -f "$log"
  return "$status"
}
