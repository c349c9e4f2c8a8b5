#!/usr/bin/env bash
# Whole-process speed: Calvern from exec to exit against a process that only reads the same
# source and writes files of the same sizes (bench/process/readwrite_only.c), and its start-up
# against the cheapest C++ program that prints a line.
#   scripts/bench-process.sh [ROUNDS]     (default 200 paired rounds)
# Prints callgrind instruction counts (independent of the machine's load), the paired wall-time
# ratios (with and without the output files), the cost of a fresh page of memory and the page
# faults of each run, and hyperfine's means and medians. Builds a Release tree in build-bench/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-200}
# shellcheck source=../bench/process/prepare.sh
. "$root/bench/process/prepare.sh"
bin="$root/build-bench"

calvern=("$bin/calvern" compile full.txt -o full.LST --mk-base full)
"${calvern[@]}"
floor=("$bin/readwrite_only" full.txt full.LST "$(stat -c %s full.LST)" full.MKP "$(stat -c %s full.MKP)")

instructions() {
  valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
    sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}
echo "== Instructions (callgrind)"
printf '%-44s %12s\n' "command" "instructions"
row() { printf '%-44s %12s\n' "$1" "$(instructions "${@:2}")"; }
row "calvern: full program" "${calvern[@]}"
row "read-and-write only: full program" "${floor[@]}"
row "calvern: one-line program" "$bin/calvern" compile one.txt -o one.LST
row "calvern --version" "$bin/calvern" --version
row "calvern missing.inf (no info file)" "$bin/calvern" missing.inf
row "print_line (trivial C++ program)" "$bin/print_line"

echo
echo "== Wall time, paired run by run ($rounds rounds): calvern / read-and-write only"
"$bin/paired_runs" "$rounds" "${calvern[@]}" --versus "${floor[@]}"
echo
# The same two without their output files (the listing to standard output, thrown away; no
# files written at all): what the compilation costs apart from the file system's share.
echo "== Wall time, paired, no output files: calvern -o - / read only"
"$bin/paired_runs" "$rounds" "$bin/calvern" compile full.txt -o - --versus "$bin/readwrite_only" full.txt
echo
echo "== Wall time, paired: calvern --version / print_line"
"$bin/paired_runs" "$rounds" "$bin/calvern" --version --versus "$bin/print_line"

echo
# What a fresh page costs here: the page faults a program adds weigh this much each.
echo "== Wall time, paired: touch_pages 1000 / touch_pages 0 (the difference over 1000 is one page)"
"$bin/paired_runs" "$rounds" "$bin/touch_pages" 1000 --versus "$bin/touch_pages" 0
echo
# /usr/bin/time counts the exec's pages too, and the pages a compilation has the kernel bring in
# at once (platform::PrepareMemory), which raise no fault: `perf stat -e page-faults` counts
# only the faults.
echo "== Page faults and pages made ready (the shortest of five runs; /usr/bin/time)"
faults() {
  for _ in 1 2 3 4 5; do /usr/bin/time -f %R "$@" 2>&1 >/dev/null | tail -n 1; done | sort -n | head -n 1
}
printf '%-44s %12s\n' "calvern: full program" "$(faults "${calvern[@]}")"
printf '%-44s %12s\n' "read-and-write only: full program" "$(faults "${floor[@]}")"
printf '%-44s %12s\n' "calvern: one-line program" "$(faults "$bin/calvern" compile one.txt -o one.LST)"

echo
echo "== hyperfine"
hyperfine -N --warmup 10 --min-runs 100 --style basic -i \
  -n "calvern full program" "${calvern[*]}" \
  -n "read-and-write only" "${floor[*]}" \
  -n "calvern one-line program" "$bin/calvern compile one.txt -o one.LST" \
  -n "calvern --version" "$bin/calvern --version" \
  -n "calvern missing.inf" "$bin/calvern missing.inf" \
  -n "print_line" "$bin/print_line" --export-json "$work/hyperfine.json"
# A single slow run of a shared machine moves a mean by a millisecond; the median stays.
echo
echo "== hyperfine medians"
jq -r '.results[] | "\(.command): \(.median * 1000 | . * 100 | round / 100) ms"' "$work/hyperfine.json"
