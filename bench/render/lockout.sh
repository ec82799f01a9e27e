#!/usr/bin/env bash
# Lock-out check of velmora-render-server: starts it on a free loopback port
# and runs lockout.py against it (2,000 idle connections from 127.0.0.2, a
# normal client on 127.0.0.1). Traffic stays on 127.0.0.1/8.
#   bench/render/lockout.sh SERVER [IDLE] [SECONDS]
set -euo pipefail
server=${1:?usage: $0 SERVER [IDLE] [SECONDS]}
[[ -x "$server" ]] || { echo "lockout: $server is not an executable" >&2; exit 1; }
. "$(dirname "$0")/server.sh"
start_server "$server" lockout
python3 "$(dirname "$0")/lockout.py" "$port" "${2:-2000}" "${3:-10}"
