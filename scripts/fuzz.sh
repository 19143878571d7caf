#!/usr/bin/env bash
# Builds the fuzz targets with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz and runs each for a bounded short time;
# any crash, failed check or sanitizer report fails the run (libFuzzer exits
# non-zero). Each target keeps its corpus in build-fuzz/<name>-corpus.
#   dispatch  arbitrary server packets into the dispatcher
#   proxy     proxy replies in arbitrary pieces into the handshake
#   gif       arbitrary bytes into the animated-picture control, seeded with the
#             GIF pictures the build draws (tools/picgen)
#   video     arbitrary video component events (any entry, state, name and frame)
#             and command clicks into a seated client
#   record    arbitrary bytes as a table record file
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-fuzz"
CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja \
  -DDRAVIK_FUZZ=ON -DDRAVIK_BENCH=OFF >/dev/null

# The GIF seeds: the pictures of the normal build when it has drawn them, else drawn here.
pictures="$here/build/pictures"
if ! ls "$pictures"/*.gif >/dev/null 2>&1; then
  cmake --build "$build" -j2 --target dravik_resources
  pictures="$build/pictures"
fi
seeds="$build/gif-seeds"
mkdir -p "$seeds"
cp "$pictures"/*.gif "$seeds"/

# name, seconds, longest input, seed folder
targets=(
  "dispatch ${FUZZ_SECONDS:-30} 2720 -"
  "proxy ${FUZZ_SECONDS:-30} 512 -"
  "gif ${FUZZ_SECONDS:-30} 80000 $seeds"
  "video ${FUZZ_SECONDS:-30} 4096 -"
  "record ${FUZZ_SECONDS:-30} 4096 -"
)
for t in "${targets[@]}"; do
  read -r name seconds maxlen seedDir <<<"$t"
  cmake --build "$build" -j2 --target "${name}_fuzz"
  corpus="$build/$name-corpus"
  mkdir -p "$corpus"
  extra=()
  [ "$seedDir" != "-" ] && extra=("$seedDir")
  echo "fuzz: ${name}_fuzz for ${seconds}s"
  "$build/tests/${name}_fuzz" -max_total_time="$seconds" -max_len="$maxlen" -timeout=10 \
    -artifact_prefix="$build/${name}-" "$corpus" "${extra[@]}"
done
