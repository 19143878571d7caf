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
(cd "$here/build" && ctest --output-on-failure -j2 --timeout 300)

"$here/scripts/setup.sh" "$here/build-asan" -DDRAVIK_SANITIZE=ON -DDRAVIK_BENCH=OFF
(cd "$here/build-asan" && ctest --output-on-failure -j2 --timeout 600 -R '^core\.')

if [ -x "$here/scripts/fuzz.sh" ]; then
  "$here/scripts/fuzz.sh"
fi
