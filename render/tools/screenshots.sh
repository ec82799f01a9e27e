#!/usr/bin/env bash
# Renders the three picture-code pages for «Bonjour 2026» to PNG with headless
# Chromium, from a velmora-render-server started here on a free loopback port.
#   render/tools/screenshots.sh SERVER [OUTDIR] [MESSAGE]
# SERVER: path of velmora-render-server; OUTDIR: where render-gato.png,
# render-mers.png and render-semaphore.png go (default docs/screenshots);
# MESSAGE: the text drawn, already percent-encoded (default Bonjour%202026).
# Needs chromium (apt-get install chromium). Builds nothing.
set -euo pipefail

server=${1:?usage: $0 SERVER [OUTDIR] [MESSAGE]}
outdir=${2:-docs/screenshots}
message=${3:-Bonjour%202026}
browser=$(command -v chromium || command -v chromium-browser || true)
if [[ -z "$browser" ]]; then
  echo "screenshots: chromium is not installed (apt-get install chromium)" >&2
  exit 1
fi
mkdir -p "$outdir"

work=$(mktemp -d)
pid=
cleanup() {
  if [[ -n "$pid" ]]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

"$server" --listen 127.0.0.1:0 2>"$work/server.log" &
pid=$!
port=
for _ in $(seq 100); do
  port=$(sed -n 's|.*listening on http://127\.0\.0\.1:\([0-9]*\)/.*|\1|p' "$work/server.log")
  [[ -n "$port" ]] && break
  sleep 0.05
done
if [[ -z "$port" ]]; then
  echo "screenshots: the server did not start:" >&2
  cat "$work/server.log" >&2
  exit 1
fi

shoot() { # NAME PATH
  local profile
  profile=$(mktemp -d "$work/profile.XXXX")
  timeout 60 "$browser" --headless --no-sandbox --disable-gpu --disable-background-networking \
    --disable-component-update --disable-sync --no-first-run --hide-scrollbars \
    --user-data-dir="$profile" --window-size=1000,760 \
    --screenshot="$outdir/$1" "http://127.0.0.1:$port$2" >/dev/null 2>&1
  [[ -s "$outdir/$1" ]] || { echo "screenshots: no picture for $2" >&2; exit 1; }
  echo "$outdir/$1"
}
shoot render-gato.png "/codes/gato/transgato.php3?texte=$message"
shoot render-mers.png "/codes/mers/transmers.php3?texte=$message"
shoot render-semaphore.png "/codes/semaphore/transsemaphore.php3?texte=$message"
