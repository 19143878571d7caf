#!/usr/bin/env bash
# Builds the dispatcher fuzz target with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz and runs it for about a minute; any
# crash or sanitizer report fails the run (libFuzzer exits non-zero).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-fuzz"
CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja \
  -DDRAVIK_FUZZ=ON -DDRAVIK_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target dispatch_fuzz
corpus="$build/dispatch-corpus"
mkdir -p "$corpus"
"$build/tests/dispatch_fuzz" -max_total_time=60 -max_len=2720 -len_control=0 -timeout=10 \
  -artifact_prefix="$build/" "$corpus"
