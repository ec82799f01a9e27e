#!/usr/bin/env bash
# velmora-encode reading 64 MiB of coded text back (Morse, Polybius, Binaire)
# against coding 64 MiB of plain text with the same code: input bytes per
# second of the whole process, and peak resident memory.
#   bench/cli/decode-throughput.sh path/to/velmora-encode
set -euo pipefail
encode=${1:?usage: decode-throughput.sh path/to/velmora-encode}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
size=$((64 * 1024 * 1024))

python3 - "$work/plain.txt" "$size" <<'PY'
import sys
# No digits, hyphens or commas: typed in a message, they mix with the symbols
# of some codes (see the README's list of ambiguous cases).
text = ("Le quatorze juillet. Ave César! Bonjour à tous et voici un message codé.\r\n"
        "Polybe inventa un système de signalisation avec des torches.\r\n")
size = int(sys.argv[2])
data = (text * (size // len(text.encode()) + 1)).encode()[:size]
open(sys.argv[1], "wb").write(data.decode("utf-8", "ignore").encode())
PY

# Runs a command three times, prints its best processor time (user + system,
# which a busy machine disturbs less than the wall clock) and its peak memory.
measure() {
  local best="" rss=""
  for _ in 1 2 3; do
    /usr/bin/env time -f "%U %S %M" -o "$work/time" "$@" > /dev/null
    read -r u s m < "$work/time"
    t=$(awk "BEGIN{print $u + $s}")
    if [ -z "$best" ] || awk "BEGIN{exit !($t < $best)}"; then best=$t; rss=$m; fi
  done
  echo "$best $rss"
}

printf "%-8s %-7s %12s %10s %12s\n" code mode "input MiB" "cpu s" "MiB/s"
for code in morse polybe binaire; do
  # 64 MiB of coded text, cut after a line.
  # (the coder stops with a write error once head has had enough)
  "$encode" "$code" < "$work/plain.txt" 2>/dev/null | head -c "$size" > "$work/cut" || true
  python3 - "$work/cut" "$work/coded.txt" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
open(sys.argv[2], "wb").write(data[:data.rindex(b"\n") + 1])
PY
  for mode in encode decode; do
    if [ "$mode" = encode ]; then input=$work/plain.txt; args=("$code"); else input=$work/coded.txt; args=(-d "$code"); fi
    read -r secs rss < <(measure sh -c '"$0" "$@" < "'"$input"'"' "$encode" "${args[@]}")
    mib=$(awk "BEGIN{printf \"%.1f\", $(stat -c %s "$input") / 1048576}")
    printf "%-8s %-7s %12s %10s %12s   peak RSS %s KiB\n" "$code" "$mode" "$mib" "$secs" \
      "$(awk "BEGIN{printf \"%.0f\", $mib / ($secs > 0 ? $secs : 0.01)}")" "$rss"
  done
done
