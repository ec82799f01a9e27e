#!/usr/bin/env bash
# Throughput of the rendering service: starts velmora-render-server on a free
# loopback port, runs wrk for 10 s against each picture-code page with a
# 40-character message, prints requests per second and the 99th-percentile
# latency, and stops the server. Builds nothing; traffic goes to 127.0.0.1 only.
#   bench/render/run-wrk.sh SERVER [CONNECTIONS] [WRK_THREADS]
# SERVER: path of velmora-render-server (a Release build for real figures).
# CONNECTIONS defaults to 8 (above 64, start the server with a larger
# --per-client: wrk's connections all come from one address). The access log
# goes to a temporary file.
set -euo pipefail

server=${1:?usage: $0 SERVER [CONNECTIONS] [WRK_THREADS]}
connections=${2:-8}
wrk_threads=${3:-2}
duration=10s
message="Rendez-vous au port de Brest le 14 juin."   # 40 characters
encoded=${message// /%20}

command -v wrk >/dev/null || { echo "run-wrk: wrk is not installed (scripts/install-deps --bench)" >&2; exit 1; }
[[ -x "$server" ]] || { echo "run-wrk: $server is not an executable" >&2; exit 1; }

. "$(dirname "$0")/server.sh"
start_server "$server" run-wrk

echo "velmora-render-server $("$server" --version | awk '{print $2}') on 127.0.0.1:$port;" \
     "wrk -t$wrk_threads -c$connections -d$duration --latency; $(nproc) cores; message \"$message\""
printf '%-12s %14s %12s %12s %10s\n' page requests/s "p50 latency" "p99 latency" "bytes/page"
for page in gato/transgato mers/transmers semaphore/transsemaphore; do
  url="http://127.0.0.1:$port/codes/$page.php3?texte=$encoded"
  size=$(curl -s -o /dev/null -w '%{size_download}' "$url" 2>/dev/null || echo '?')
  out=$(timeout 60 wrk -t"$wrk_threads" -c"$connections" -d"$duration" --latency "$url")
  rps=$(awk '/^Requests\/sec:/ {print $2}' <<<"$out")
  p50=$(awk '$1 == "50%" {print $2}' <<<"$out")
  p99=$(awk '$1 == "99%" {print $2}' <<<"$out")
  errors=$(grep -E 'Non-2xx|Socket errors' <<<"$out" || true)
  printf '%-12s %14s %12s %12s %10s\n' "${page%%/*}" "$rps" "$p50" "$p99" "$size"
  [[ -z "$errors" ]] || echo "  $errors"
done
