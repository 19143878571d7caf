#!/usr/bin/env bash
# Installs what the build and the tests need from Debian's packages (only what is
# missing; microsocks is the SOCKS5 proxy the proxy tests start on loopback,
# espeak-ng speaks the quick replies' voice files at build time, xvfb and xdotool
# give the typing test a real display),
# then configures and builds. Idempotent; works as root or through sudo.
# Usage: scripts/setup.sh [build-dir] [extra cmake args...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
shift || true

packages=(cmake ninja-build g++ clang clang-format pkg-config qt6-base-dev qt6-multimedia-dev
          libgtest-dev libgmock-dev libbenchmark-dev libasio-dev libgif-dev
          fonts-wqy-microhei microsocks espeak-ng xvfb xdotool)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "setup: installing ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S "$here" -B "$build" -G Ninja "$@" >/dev/null
cmake --build "$build" -j2
