#!/usr/bin/env bash
# The main job: builds Calvern, compiles the bundled example programs in slave mode (the way an
# editor or emulator front end drives it) and prints the listing of each.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
CALVERN_TARGET=calvern "$root/scripts/build.sh" build
out="$root/build/examples"
mkdir -p "$out"
for source in "$root"/examples/*.txt; do
  program=$(basename "$source" .txt)
  # Info file: source, listing, command 2 (compile), MK base name, emulator, port, language.
  printf '%s\r\n%s\r\n2\r\n%s\r\n\r\nCOM1,255\r\n\r\n' \
    "$root/examples/$program.txt" "$out/$program.LST" "$out/$program." >"$out/$program.inf"
  status=0
  "$root/build/calvern" "$out/$program.inf" || status=$?
  echo "== examples/$program.txt: exit code $status; listing $out/$program.LST"
  [ "$status" -eq 0 ] || exit "$status"
  tr -d '\r' <"$out/$program.LST"
done
