#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build Calvern.
#   scripts/setup.sh           what building the program needs
#   scripts/setup.sh --tests   and what the tests and benchmarks need
#   scripts/setup.sh --fuzz    and what the fuzzing build needs
#   scripts/setup.sh --bench   and what the whole-process benchmark needs (hyperfine, callgrind,
#                              jq, GNU time)
#   scripts/setup.sh --windows and the MinGW-w64 cross compiler and NSIS, for the Windows
#                              program and its installer (scripts/build-windows.sh)
#   scripts/setup.sh --wine    and Wine with a virtual display, to test the Windows program and
#                              its windows (scripts/test-windows.sh)
#   scripts/setup.sh --package and what making and checking the .deb package needs (cpack and
#                              lintian in scripts/run-tests.sh)
# Packages already present are left alone; apt runs only when something is missing.
set -euo pipefail
packages=(g++ cmake make pkg-config nlohmann-json3-dev libpng-dev zlib1g-dev
          libjpeg-dev)
for flag in "$@"; do
  case "$flag" in
    --tests) packages+=(libgtest-dev libbenchmark-dev tmux) ;;
    --fuzz) packages+=(clang-14 libclang-rt-14-dev) ;;
    --bench) packages+=(hyperfine valgrind jq time) ;;
    --windows) packages+=(g++-mingw-w64-x86-64-posix libstb-dev nsis) ;;
    # The screenshots of the Windows tests are drawn with these fonts.
    --wine) packages+=(wine64 xvfb fonts-dejavu-core) ;;
    --package) packages+=(lintian dpkg-dev file) ;;
    *) echo "setup: unknown option $flag (use --tests, --fuzz, --bench, --windows, --wine or" \
         "--package)" >&2
       exit 2 ;;
  esac
done
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends "${missing[@]}"
fi
