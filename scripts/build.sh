#!/usr/bin/env bash
# Configures and builds Calvern in the given build directory with extra CMake arguments.
#   scripts/build.sh build                       normal build
#   scripts/build.sh build-asan -DCALVERN_SANITIZE=ON
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1
shift
cmake -S "$root" -B "$root/$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$root/$dir" -j"$(nproc)"
