#!/usr/bin/env bash
# Writes cmake/hot_path.ld: the functions a compilation runs, which the linker then places
# together at the start of the program's code.
#   scripts/hot-path.sh
# The kernel maps a program's code in 64 KB at a time, as it first runs there, and each such
# window cost a run about 25 µs on the development machine. Left in the order of the source
# files, the full program's compilation ran code in 19 of the windows of its 1.3 MB; placed
# together, in 4.
# The list is what callgrind saw run in the runs of scripts/bench-process.sh first, then in
# the compilation of each bundled example. A function renamed or added since the list was
# written only loses its place, never its code: run this again when the benchmark's page
# faults grow.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=../bench/process/prepare.sh
. "$root/bench/process/prepare.sh"
bin="$root/build-bench/calvern"

# Runs a command under callgrind into profile NAME (mangled names, as the linker sees them).
# Some runs end with an error on purpose (no info file): what they ran counts all the same.
profile() {
  valgrind --tool=callgrind --demangle=no --callgrind-out-file="$work/$1.out" "${@:2}" \
    >/dev/null 2>&1 || true
}
profile 1-full "$bin" compile full.txt -o full.LST --mk-base full
profile 1-one "$bin" compile one.txt -o one.LST
profile 1-version "$bin" --version
profile 1-slave "$bin" missing.inf
n=0
for example in "$root"/examples/*.txt; do
  profile "2-$((n += 1))" "$bin" compile "$example" -o example.LST --mk-base example
done

# The names each group ran, the benchmark's first; a name callgrind gives once per profile.
names() { sed -n 's/^c\{0,1\}fn=([0-9]*) //p' "$work"/"$1"-*.out | sort -u; }
names 1 >first.txt
names 2 | comm -23 - first.txt >second.txt
# Every name at the address of a function that ran: a constructor or destructor goes by two
# names, and its section by only one of them.
nm --defined-only "$bin" | awk '$2 ~ /^[tTwW]$/ { print $1, $3 }' >symbols.txt
{
  cat <<'EOF'
/* The functions a compilation runs, placed together before the rest of the program's code so
   that the kernel maps in few 64 KB windows of it. Written by scripts/hot-path.sh; see there. */
SECTIONS
{
  .text.hot_path :
  {
    /* The C runtime's start of the program and its atexit, which every run calls. */
    *crt1.o(.text)
    *libc_nonshared.a:*(.text .text.*)
EOF
  cat first.txt second.txt | awk '
    FILENAME == "symbols.txt" { at[$2] = $1; named[$1] = named[$1] " " $2; next }
    ($0 in at) {
      n = split(named[at[$0]], aliases, " ")
      for (k = 1; k <= n; ++k) {
        if (!(aliases[k] in written)) print "    *(.text." aliases[k] ")"
        written[aliases[k]] = 1
      }
    }' symbols.txt -
  cat <<'EOF'
  }
}
INSERT BEFORE .text;
EOF
} >"$root/cmake/hot_path.ld"
echo "hot-path: $(grep -c '\*(' "$root/cmake/hot_path.ld") functions in cmake/hot_path.ld"
