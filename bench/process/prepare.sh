# Sourced by the whole-process scripts (scripts/bench-process.sh, scripts/hot-path.sh) with
# `root` set: builds the Release tree in build-bench/ (the program and the programs it is
# compared with), writes the benchmark's sources into a temporary folder that is removed at
# exit, and goes there. Sets `work` to that folder.
"$root/scripts/setup.sh" --bench
CALVERN_TARGET=calvern_process_bench "$root/scripts/build.sh" build-bench \
  -DCMAKE_BUILD_TYPE=Release -DCALVERN_TESTS=OFF
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$root/bench/process/make_programs.sh" "$work"
cd "$work"
