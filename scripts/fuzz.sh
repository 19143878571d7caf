#!/usr/bin/env bash
# Builds the fuzz targets with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz and runs each for a bounded time
# (FUZZ_SECONDS, 60 by default); any crash or sanitizer report fails the run
# (libFuzzer exits non-zero).
#   dispatch_fuzz  arbitrary server packets into the dispatcher
#   gif_fuzz       arbitrary bytes into the animated-picture control, seeded with
#                  the GIF pictures the build draws (tools/picgen)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-fuzz"
seconds=${FUZZ_SECONDS:-60}
CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja \
  -DDRAVIK_FUZZ=ON -DDRAVIK_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target dispatch_fuzz gif_fuzz

corpus="$build/dispatch-corpus"
mkdir -p "$corpus"
"$build/tests/dispatch_fuzz" -max_total_time="$seconds" -max_len=2720 -len_control=0 -timeout=10 \
  -artifact_prefix="$build/dispatch-" "$corpus"

# The seeds: the pictures of the normal build when it has drawn them, else drawn here.
pictures="$here/build/pictures"
if ! ls "$pictures"/*.gif >/dev/null 2>&1; then
  cmake --build "$build" -j2 --target dravik_resources
  pictures="$build/pictures"
fi
seeds="$build/gif-seeds"
corpus="$build/gif-corpus"
mkdir -p "$seeds" "$corpus"
cp "$pictures"/*.gif "$seeds"/
"$build/tests/gif_fuzz" -max_total_time="$seconds" -max_len=80000 -timeout=10 \
  -artifact_prefix="$build/gif-" "$corpus" "$seeds"
