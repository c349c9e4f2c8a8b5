#!/usr/bin/env bash
# Builds Calvern twice with warnings as errors, as a Release build and with the address and
# undefined-behaviour sanitizers, and runs the whole test suite in each build. The Release
# build's .deb package must pass lintian without an error.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" --tests --package
"$root/scripts/build.sh" build -DCMAKE_BUILD_TYPE=Release -DCALVERN_WERROR=ON
(cd "$root/build" && ctest --output-on-failure -j"$(nproc)")
(cd "$root/build" && cpack -G DEB >/dev/null &&
  lintian --fail-on error --tag-display-limit 0 calvern_*_amd64.deb)
# A program linked with packed relocations runs only on the C library that applies them; the
# package tools do not see that need, so the package must name it.
if readelf -V "$root/build/calvern" | grep -q GLIBC_ABI_DT_RELR; then
  dpkg-deb -f "$root"/build/calvern_*_amd64.deb Depends | grep -qF 'libc6 (>= 2.36)' ||
    { echo "run-tests: the package does not name libc6 (>= 2.36) for packed relocations"; exit 1; }
fi
"$root/scripts/build.sh" build-asan -DCALVERN_SANITIZE=ON -DCALVERN_BENCH=OFF -DCALVERN_WERROR=ON
(cd "$root/build-asan" && ctest --output-on-failure -j"$(nproc)")
