#!/usr/bin/env bash
# Builds Calvern twice with warnings as errors, as a Release build and with the address and
# undefined-behaviour sanitizers, and runs the whole test suite in each build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" --tests
"$root/scripts/build.sh" build -DCMAKE_BUILD_TYPE=Release -DCALVERN_WERROR=ON
(cd "$root/build" && ctest --output-on-failure -j"$(nproc)")
"$root/scripts/build.sh" build-asan -DCALVERN_SANITIZE=ON -DCALVERN_BENCH=OFF -DCALVERN_WERROR=ON
(cd "$root/build-asan" && ctest --output-on-failure -j"$(nproc)")
