#!/usr/bin/env bash
# Compiles every source of the tree (examples, test data, fuzz seeds, the benchmark programs)
# with two calvern binaries and compares everything they give: listing, MK files, symbols,
# messages and exit code. Used to show that a change (a speed-up, a clean-up) keeps every
# output byte for byte.
#   scripts/compare-outputs.sh OLD_CALVERN NEW_CALVERN
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
old=$(realpath "$1")
new=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/sources"
"$root/bench/process/make_programs.sh" "$work/sources"
n=0
while IFS= read -r -d '' source; do
  n=$((n + 1))
  cp "$source" "$work/sources/$n.txt"
  # Pictures and fonts a source loads are found beside it.
  find "$(dirname "$source")" -maxdepth 1 -type f ! -name '*.txt' -exec cp -n {} "$work/sources/" \;
done < <(find "$root/examples" "$root/tests/data" "$root/fuzz/seeds/compile" -type f \
  \( -name '*.txt' -o -path '*/seeds/compile/*' \) -print0 | sort -z)

run_all() {
  local binary=$1 out=$2
  cp -r "$work/sources" "$out"
  for source in "$out"/*.txt; do
    local base
    base=$(basename "$source" .txt)
    set +e
    (cd "$out" && "$binary" compile "$base.txt" -o "$base.LST" --mk-base "$base" \
      --symbols "$base.json" >"$base.stdout" 2>"$base.stderr"
      echo $? >"$base.exit")
    set -e
  done
}
run_all "$old" "$work/old"
run_all "$new" "$work/new"
if diff -r "$work/old" "$work/new" >"$work/differences"; then
  echo "compare-outputs: $(ls "$work/sources"/*.txt | wc -l) sources, every output the same"
else
  head -50 "$work/differences"
  echo "compare-outputs: outputs differ"
  exit 1
fi
