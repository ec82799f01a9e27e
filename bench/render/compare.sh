#!/usr/bin/env bash
# Throughput side by side, in one run: velmora-render-server (and an earlier
# build of it, when given) against nginx serving the very same pages saved as
# static files, the physical reference for this machine. For each picture
# code (a 40-character message) and for 8 and 256 connections, runs wrk for
# SECONDS against each server in turn and prints requests per second and
# latencies. Traffic goes to 127.0.0.1 only; the machine's other load shows in
# the figures, so compare within one run.
#   bench/render/compare.sh SERVER [EARLIER_SERVER] [SECONDS]
set -euo pipefail

server=${1:?usage: $0 SERVER [EARLIER_SERVER] [SECONDS]}
earlier=${2:-}
seconds=${3:-8}
message="Rendez-vous au port de Brest le 14 juin."   # 40 characters
encoded=${message// /%20}

for tool in wrk nginx curl; do
  command -v "$tool" >/dev/null || { echo "compare: $tool is not installed (scripts/install-deps --bench)" >&2; exit 1; }
done

work=$(mktemp -d)
chmod 755 "$work"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill -TERM "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

free_port() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }

# start NAME BINARY ARGS...: sets port_NAME.
start() {
  local name=$1; shift
  "$@" --listen 127.0.0.1:0 2>"$work/$name.log" &
  pids+=($!)
  local port=
  for _ in $(seq 100); do
    port=$(sed -n '1s|.*listening on http://127\.0\.0\.1:\([0-9]*\)/.*|\1|p' "$work/$name.log")
    [[ -n "$port" ]] && break
    sleep 0.05
  done
  [[ -n "$port" ]] || { echo "compare: $name did not start" >&2; cat "$work/$name.log" >&2; exit 1; }
  printf -v "port_$name" %s "$port"
}

# 256 connections from one address: above the default share of one client.
start after "$server" --per-client 1024
names=(after)
[[ -z "$earlier" ]] || { start before "$earlier"; names=(before after); }

# nginx with the pages as files, one worker per core, no access log.
mkdir -p "$work/www"
chmod 755 "$work/www"
pages=(gato/transgato mers/transmers semaphore/transsemaphore)
for page in "${pages[@]}"; do
  curl -sf -o "$work/www/${page%%/*}.html" "http://127.0.0.1:$port_after/codes/$page.php3?texte=$encoded"
done
chmod 644 "$work"/www/*
port_nginx=$(free_port)
cat >"$work/nginx.conf" <<NGINX
worker_processes auto;
daemon off;
pid $work/nginx.pid;
error_log $work/nginx-error.log;
events { worker_connections 2048; }
http {
  access_log off;
  server {
    listen 127.0.0.1:$port_nginx;
    root $work/www;
    location / { default_type "text/html; charset=utf-8"; }
  }
}
NGINX
nginx -p "$work" -e "$work/nginx-error.log" -c "$work/nginx.conf" &
pids+=($!)
for _ in $(seq 100); do curl -sf -o /dev/null "http://127.0.0.1:$port_nginx/gato.html" && break; sleep 0.05; done
names+=(nginx)

echo "wrk -t2 -d${seconds}s --latency; $(nproc) cores (shared: other work on the machine shows in the figures);" \
     "message \"$message\"; $(nginx -v 2>&1)"
printf '%-10s %5s %-8s %12s %10s %10s %10s %8s\n' page conns server requests/s p50 p99 bytes errors
for page in "${pages[@]}"; do
  code=${page%%/*}
  size=$(stat -c %s "$work/www/$code.html")
  for conns in 8 256; do
    for name in "${names[@]}"; do
      port_var="port_$name"
      if [[ $name == nginx ]]; then
        url="http://127.0.0.1:${!port_var}/$code.html"
      else
        url="http://127.0.0.1:${!port_var}/codes/$page.php3?texte=$encoded"
      fi
      out=$(timeout $((seconds + 30)) wrk -t2 -c"$conns" -d"${seconds}s" --latency "$url")
      rps=$(awk '/^Requests\/sec:/ {print $2}' <<<"$out")
      p50=$(awk '$1 == "50%" {print $2}' <<<"$out")
      p99=$(awk '$1 == "99%" {print $2}' <<<"$out")
      errors=$( (grep -E 'Non-2xx|Socket errors' <<<"$out" || true) | tr -s ' ' | paste -sd';')
      printf '%-10s %5s %-8s %12s %10s %10s %10s %8s\n' "$code" "$conns" "$name" "$rps" "$p50" "$p99" "$size" "${errors:-0}"
    done
  done
done
