#!/usr/bin/env bash
# Soak of the rendering service: starts velmora-render-server on a free
# loopback port, warms it up for 5 s, then keeps wrk on it for 60 s, the
# three picture-code pages in turn with varied messages. Passes (exit 0) when
# no answer was an error and no request failed, and the resident memory after
# the soak is within 10 % of its level after the warm-up. Traffic goes to
# 127.0.0.1 only.
#   bench/render/soak.sh SERVER [SECONDS] [CONNECTIONS]
set -euo pipefail

server=${1:?usage: $0 SERVER [SECONDS] [CONNECTIONS]}
seconds=${2:-60}
connections=${3:-32}

command -v wrk >/dev/null || { echo "soak: wrk is not installed (scripts/install-deps --bench)" >&2; exit 1; }
[[ -x "$server" ]] || { echo "soak: $server is not an executable" >&2; exit 1; }

. "$(dirname "$0")/server.sh"
start_server "$server" soak

# Each request: the next page, with a message that changes from request to
# request (accents, escaped markup, a line break), so that the server builds
# a new page every time.
cat >"$work/pages.lua" <<'LUA'
local pages = {"/codes/gato/transgato.php3", "/codes/mers/transmers.php3",
               "/codes/semaphore/transsemaphore.php3"}
local messages = {"Rendez-vous%20au%20port%20de%20Brest", "%C3%A9t%C3%A9%20%3Cb%3E%26%3C%2Fb%3E",
                  "SOS%0D%0A1940", "a%2Bb%3Dc%20%23%20d%25"}
local n = 0
request = function()
  n = n + 1
  local path = pages[n % #pages + 1] .. "?texte=" .. messages[n % #messages + 1] .. n
  return wrk.format("GET", path)
end
LUA

rss() { awk '/^VmRSS:/ {print $2}' "/proc/$pid/status"; }
base="http://127.0.0.1:$port"

wrk -t2 -c"$connections" -d5s -s "$work/pages.lua" "$base" >/dev/null
sleep 2
before=$(rss)

peak=$before
( while kill -0 "$pid" 2>/dev/null; do r=$(rss 2>/dev/null || echo 0); echo "$r"; sleep 1; done ) >"$work/rss" &
sampler=$!
out=$(timeout $((seconds + 30)) wrk -t2 -c"$connections" -d"${seconds}s" --latency -s "$work/pages.lua" "$base")
kill "$sampler" 2>/dev/null || true
wait "$sampler" 2>/dev/null || true
peak=$(sort -n "$work/rss" | tail -1)
sleep 2
after=$(rss)

requests=$(awk '/requests in/ {print $1}' <<<"$out")
rps=$(awk '/^Requests\/sec:/ {print $2}' <<<"$out")
p99=$(awk '$1 == "99%" {print $2}' <<<"$out")
non2xx=$(awk '/Non-2xx or 3xx responses:/ {print $NF}' <<<"$out")
socket=$(grep -E 'Socket errors' <<<"$out" || true)
growth=$(awk -v a="$after" -v b="$before" 'BEGIN {printf "%.1f", (a - b) * 100 / b}')

echo "velmora-render-server on 127.0.0.1:$port; wrk -t2 -c$connections -d${seconds}s, three pages in turn; $(nproc) cores"
echo "requests: $requests ($rps/s), p99 latency $p99, error answers: ${non2xx:-0}, ${socket:-no socket errors}"
echo "resident memory: $before KiB after warm-up, $peak KiB at the peak, $after KiB after the soak ($growth %)"

status=0
[[ -z "$non2xx" && -z "$socket" ]] || { echo "soak: FAILED, errors during the soak" >&2; status=1; }
awk -v a="$after" -v b="$before" 'BEGIN {exit !(a <= b * 1.10)}' ||
  { echo "soak: FAILED, resident memory grew by more than 10 %" >&2; status=1; }
kill -0 "$pid" 2>/dev/null || { echo "soak: FAILED, the server is gone" >&2; status=1; }
[[ $status = 0 ]] && echo "soak: passed"
exit $status
