#!/usr/bin/env bash
# Turns the UTF-8 translation sources lang/XX.txt into the language files lang/XX.LOC that
# Calvern loads: UTF-16 little-endian with the byte-order mark FF FE and CR LF line ends.
#   scripts/make-lang.sh          every lang/*.txt
#   scripts/make-lang.sh ru fr    only the named languages
# A source whose layout Calvern would reject (not help line + 130 messages, or the markers
# [0], [1], [2] not at messages 0, 48 and 129) is reported and no .LOC is written for it.
set -euo pipefail
lang=$(cd "$(dirname "$0")/.." && pwd)/lang

if [ $# -eq 0 ]; then
  for src in "$lang"/*.txt; do
    [ -e "$src" ] && set -- "$@" "$(basename "$src" .txt)"
  done
fi
[ $# -gt 0 ] || { echo "no lang/*.txt to convert" >&2; exit 1; }

status=0
for code in "$@"; do
  src=$lang/$code.txt
  out=$lang/$code.LOC
  [ -f "$src" ] || { echo "$src: no such file" >&2; status=1; continue; }
  # One line per message: drop a UTF-8 byte-order mark and any CR an editor left behind.
  text=$(sed -e '1s/^\xEF\xBB\xBF//' -e 's/\r$//' "$src"; echo x)
  text=${text%x}
  if ! printf '%s' "$text" | awk -v name="$src" '
      /^;/ { next }
      { n++ }
      n == 1 { next }
      { i = n - 2 }
      (i == 0 && $0 != "[0]") || (i == 48 && $0 != "[1]") || (i == 129 && $0 != "[2]") {
        printf "%s: message %d is \"%s\", marker [%d] expected\n", name, i, $0, (i == 0 ? 0 : (i == 48 ? 1 : 2)) > "/dev/stderr"
        bad = 1
      }
      END {
        if (n != 131) {
          printf "%s: %d message lines after the help line, 130 expected\n", name, (n > 0 ? n - 1 : 0) > "/dev/stderr"
          bad = 1
        }
        exit bad
      }'; then
    status=1
    continue
  fi
  { printf '\xff\xfe'; printf '%s' "$text" | awk '{ printf "%s\r\n", $0 }' | iconv -f UTF-8 -t UTF-16LE; } >"$out.tmp"
  mv "$out.tmp" "$out"
  echo "wrote $out"
done
exit $status
