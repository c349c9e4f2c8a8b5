#!/usr/bin/env bash
# Cross-builds the Windows program with Debian's MinGW-w64 compiler: one statically linked
# build-windows/calvern.exe. Installs what it lacks from Debian's archive first.
#   scripts/build-windows.sh            the program
#   scripts/build-windows.sh --werror   with warnings as errors (CI)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-windows"
werror=OFF
for flag in "$@"; do
  case "$flag" in
    --werror) werror=ON ;;
    *) echo "build-windows: unknown option $flag (use --werror)" >&2; exit 2 ;;
  esac
done

"$root/scripts/setup.sh" --windows

# The header-only libraries (CLI11, nlohmann-json, stb_image) reach the cross compiler through
# a folder of their own: the host's /usr/include as a whole must stay out of its way.
headers="$build/header-only"
mkdir -p "$headers"
for dir in CLI nlohmann stb; do
  ln -sfn "/usr/include/$dir" "$headers/$dir"
done

cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCALVERN_TESTS=OFF -DCALVERN_BENCH=OFF \
  -DCALVERN_WERROR="$werror" -DCALVERN_HEADER_ONLY_INCLUDE="$headers" >/dev/null
cmake --build "$build" --target calvern -j"$(nproc)"
echo "build-windows: $build/calvern.exe"
