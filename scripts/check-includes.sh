#!/usr/bin/env bash
# The client is a composition root over its parts: only src/app and src/main.cpp
# may include the client (anything under app/). A part that did would reach up
# past the parts it is built from.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
bad=$(git ls-files 'src/*.cpp' 'src/*.h' | grep -v '^src/app/' | grep -v '^src/main\.cpp$' |
  xargs grep -l '#include "app/' || true)
if [ -n "$bad" ]; then
  echo "these files below the client include app/:" >&2
  echo "$bad" >&2
  exit 1
fi
