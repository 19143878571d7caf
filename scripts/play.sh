#!/usr/bin/env bash
# Sets everything up and sits you down at a table: the hall stand-in starts the client.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh" "$here/build"
tree="$here/build/tree"
exec "$tree/dravik/dravik-hall" --client "$tree/dravik/dravik" "$@"
