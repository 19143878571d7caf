#!/usr/bin/env bash
# Sets everything up and runs every test: the whole suite on a normal build, the core
# tests again under AddressSanitizer and UndefinedBehaviorSanitizer, and a short fuzz run.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh" "$here/build"

# Every source file is written as .clang-format says.
(cd "$here" && git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror)
# Nothing below the client includes it.
"$here/scripts/check-includes.sh"
export QT_QPA_PLATFORM=offscreen
# A real X display for the test that types into the client's chat input (the rest
# stays offscreen): Xvfb, unless one is there already.
if [ -z "${DISPLAY:-}" ] && command -v Xvfb >/dev/null; then
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
  done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
  for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.1
  done
  export DISPLAY=":$n"
fi
(cd "$here/build" && ctest --output-on-failure -j2 --timeout 300)

"$here/scripts/setup.sh" "$here/build-asan" -DDRAVIK_SANITIZE=ON -DDRAVIK_BENCH=OFF
(cd "$here/build-asan" && ctest --output-on-failure -j2 --timeout 600 -R '^core\.')

if [ -x "$here/scripts/fuzz.sh" ]; then
  "$here/scripts/fuzz.sh"
fi
