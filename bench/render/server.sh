# Sourced by the rendering service's scripts: start_server SERVER NAME starts
# SERVER on a free loopback port with its log in a temporary folder, and sets
# $work (that folder), $pid and $port; the server is stopped and the folder
# removed when the script exits. NAME prefixes the error messages.

work=$(mktemp -d)
pid=
stop_server() {
  if [[ -n "$pid" ]]; then kill -TERM "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap stop_server EXIT

start_server() {
  local server=$1 name=$2
  "$server" --listen 127.0.0.1:0 2>"$work/server.log" &
  pid=$!
  port=
  for _ in $(seq 100); do
    port=$(sed -n '1s|.*listening on http://127\.0\.0\.1:\([0-9]*\)/.*|\1|p' "$work/server.log")
    [[ -n "$port" ]] && return 0
    sleep 0.05
  done
  echo "$name: the server did not start" >&2
  cat "$work/server.log" >&2
  exit 1
}
