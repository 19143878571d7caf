#!/usr/bin/env bash
# Builds the fuzz targets with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz and runs each for a bounded short time;
# any crash, failed check or sanitizer report fails the run (libFuzzer exits
# non-zero). Each target keeps its corpus in build-fuzz/<name>-corpus.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-fuzz"
CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja \
  -DDRAVIK_FUZZ=ON -DDRAVIK_BENCH=OFF >/dev/null

# name, seconds, longest input
targets=(
  "dispatch 60 2720"   # server packets into the dispatcher
  "proxy 30 512"       # proxy replies into the handshake
)
for t in "${targets[@]}"; do
  read -r name seconds maxlen <<<"$t"
  cmake --build "$build" -j2 --target "${name}_fuzz"
  corpus="$build/$name-corpus"
  mkdir -p "$corpus"
  echo "fuzz: ${name}_fuzz for ${seconds}s"
  "$build/tests/${name}_fuzz" -max_total_time="$seconds" -max_len="$maxlen" -len_control=0 \
    -timeout=10 -artifact_prefix="$build/${name}-" "$corpus"
done
