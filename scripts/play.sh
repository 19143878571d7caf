#!/usr/bin/env bash
# Sets everything up and sits you down at a live local table: the reference game
# server with five bots (showing test pictures on the video relay), the hall stand-in,
# and the client the hall starts.
# Extra arguments go to the server (for example --seed 7 or --turn-seconds 20).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh" "$here/build"
tree="$here/build/tree/dravik"

log=$(mktemp -t dravik-server.XXXXXX)
"$tree/dravik-server" --port 0 --bots 5 --bot-video "$@" > "$log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null || true; rm -f "$log"' EXIT
port=""
for _ in $(seq 1 100); do
  port=$(sed -n 's/^dravik-server port \([0-9]*\).*/\1/p' "$log" | head -1)
  [ -n "$port" ] && break
  sleep 0.1
done
[ -n "$port" ] || { echo "play: the server did not start:"; cat "$log"; exit 1; }
echo "play: table server on 127.0.0.1:$port (log: $log)"
"$tree/dravik-hall" --client "$tree/dravik" --server "127.0.0.1:$port" --sit
