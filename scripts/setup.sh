#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test Calvern.
# Packages already present are left alone; apt runs only when something is missing.
set -euo pipefail
packages=(g++ cmake make pkg-config libgtest-dev libbenchmark-dev libpng-dev zlib1g-dev
          libjpeg-dev libstb-dev tmux)
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
