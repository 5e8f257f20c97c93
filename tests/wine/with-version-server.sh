#!/usr/bin/env bash
# Runs one Windows test executable under Wine while version_server.py serves on 127.0.0.1.
# The executable finds the server's port in VENTRIX_VERSION_SERVER_PORT and a port with
# nothing listening in VENTRIX_REFUSED_PORT. The server is always stopped afterwards.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
output=$(mktemp)
python3 "$here/version_server.py" --port 0 >"$output" 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; cat "$output"; rm -f "$output"' EXIT
trap 'exit 143' TERM INT

port=
for _ in $(seq 100); do
  port=$(sed -n 's/^PORT //p' "$output")
  [ -n "$port" ] && break
  sleep 0.1
done
if [ -z "$port" ]; then
  echo "version server did not start" >&2
  exit 1
fi
refused=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1]); s.close()')

# Requests to 127.0.0.1 must not go through a proxy of the surrounding environment.
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY all_proxy ALL_PROXY
export VENTRIX_VERSION_SERVER_PORT=$port VENTRIX_REFUSED_PORT=$refused
"$here/run-in-wine.sh" "$@"
