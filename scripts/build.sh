#!/usr/bin/env bash
# Configures and builds Calvern in the given build directory with extra CMake arguments.
#   scripts/build.sh build                                    everything, RelWithDebInfo
#   scripts/build.sh build-asan -DCALVERN_SANITIZE=ON
#   CALVERN_TARGET=calvern scripts/build.sh build              only the program
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1
shift
cmake -S "$root" -B "$root/$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$root/$dir" -j"$(nproc)" ${CALVERN_TARGET:+--target "$CALVERN_TARGET"}
