#!/usr/bin/env bash
# Builds the libFuzzer targets with clang++-14 under the address and undefined-behaviour
# sanitizers (build-fuzz/) and runs each target listed by CMake for its share of SECONDS.
#   scripts/fuzz.sh 60
# Prints "TARGET: N executions, M crashes" per target and exits non-zero when one crashed.
# Crashing inputs are kept in build-fuzz/crashes/; the growing corpus in build-fuzz/corpus/.
set -euo pipefail
seconds=${1:?usage: scripts/fuzz.sh SECONDS}
[[ "$seconds" =~ ^[0-9]+$ ]] || { echo "fuzz: SECONDS must be a whole number" >&2; exit 2; }
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-fuzz
"$root/scripts/setup.sh" --fuzz
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
  -DCALVERN_FUZZ=ON -DCALVERN_TESTS=OFF -DCALVERN_BENCH=OFF >/dev/null

# One line per target: name|dictionary|seed folders (relative to the repository).
mapfile -t entries < <(grep -v '^$' "$build/fuzz_targets.txt")
targets=()
for entry in "${entries[@]}"; do targets+=("${entry%%|*}"); done
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}" >/dev/null

share=$(( seconds / ${#targets[@]} ))
[ "$share" -ge 1 ] || share=1
mkdir -p "$build/crashes"
failed=0
for entry in "${entries[@]}"; do
  IFS='|' read -r name dictionary seeds <<<"$entry"
  corpus=$build/corpus/$name
  mkdir -p "$corpus"
  for seed in $seeds; do
    [ -d "$root/$seed" ] && cp -n "$root/$seed"/* "$corpus"/ 2>/dev/null || true
  done
  options=(-max_total_time="$share" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
           -artifact_prefix="$build/crashes/$name-")
  [ -n "$dictionary" ] && options+=(-dict="$root/$dictionary")
  before=$(find "$build/crashes" -name "$name-*" | wc -l)
  log=$build/$name.log
  status=0
  "$build/$name" "${options[@]}" "$corpus" >"$log" 2>&1 || status=$?
  after=$(find "$build/crashes" -name "$name-*" | wc -l)
  crashes=$(( after - before ))
  if [ "$status" -ne 0 ] && [ "$crashes" -eq 0 ]; then crashes=1; fi
  # The final statistics, or the last progress line when a crash cut the run short.
  runs=$(sed -n 's/^stat::number_of_executed_units: *\([0-9]*\).*/\1/p' "$log" | tail -1)
  [ -n "$runs" ] || runs=$(sed -n 's/^#\([0-9][0-9]*\).*/\1/p' "$log" | tail -1)
  echo "$name: ${runs:-0} executions, $crashes crashes"
  if [ "$crashes" -gt 0 ]; then
    failed=1
    echo "  see $log and $build/crashes/$name-*" >&2
  fi
done
exit $failed
