#!/usr/bin/env bash
# velmora-encode reading 64 MiB of coded text back (Morse, Morse 2, Polybius,
# Binaire) against coding 64 MiB of plain text with the same code: input
# bytes per second of the whole process, and peak resident memory.
#   [RUNS=7] bench/cli/decode-throughput.sh path/to/velmora-encode
set -euo pipefail
encode=${1:?usage: decode-throughput.sh path/to/velmora-encode}
work=$(mktemp -d)
declare -A inputs=()
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

# One run of a command: its processor time (user + system, which a busy
# machine disturbs less than the wall clock; GNU time gives it to 10 ms) and
# its peak memory in KiB.
measure() {
  /usr/bin/env time -f "%U %S %M" -o "$work/time" "$@" > /dev/null
  read -r u s m < "$work/time"
  echo "$(awk "BEGIN{print $u + $s}") $m"
}

# Coding and decoding run in turn, $runs times each, so that both meet the
# same load; the table gives the best run and the range over all runs.
runs=${RUNS:-7}
printf "%-8s %-7s %10s %8s %10s %16s %14s\n" code mode "input MiB" "best s" "best MiB/s" "range MiB/s" "peak RSS KiB"
for code in morse morse2 polybe binaire; do
  # 64 MiB of coded text, cut after a line.
  # (the coder stops with a write error once head has had enough)
  "$encode" "$code" < "$work/plain.txt" 2>/dev/null | head -c "$size" > "$work/cut" || true
  python3 - "$work/cut" "$work/coded.txt" <<'PY2'
import sys
data = open(sys.argv[1], "rb").read()
open(sys.argv[2], "wb").write(data[:data.rindex(b"\n") + 1])
PY2
  declare -A rates=() best=() rss=()
  for _ in $(seq "$runs"); do
    for mode in encode decode; do
      if [ "$mode" = encode ]; then input=$work/plain.txt; args=("$code"); else input=$work/coded.txt; args=(-d "$code"); fi
      read -r secs mem < <(measure sh -c '"$0" "$@" < "'"$input"'"' "$encode" "${args[@]}")
      mib=$(awk "BEGIN{printf \"%.1f\", $(stat -c %s "$input") / 1048576}")
      rates[$mode]+="$(awk "BEGIN{printf \"%.0f\", $mib / ($secs > 0 ? $secs : 0.01)}") "
      if [ -z "${best[$mode]:-}" ] || awk "BEGIN{exit !($secs < ${best[$mode]})}"; then best[$mode]=$secs; fi
      if [ -z "${rss[$mode]:-}" ] || [ "$mem" -gt "${rss[$mode]}" ]; then rss[$mode]=$mem; fi
      inputs[$mode]=$mib
    done
  done
  for mode in encode decode; do
    sorted=$(tr ' ' '\n' <<< "${rates[$mode]}" | grep . | sort -n)
    printf "%-8s %-7s %10s %8s %10s %16s %14s\n" "$code" "$mode" "${inputs[$mode]}" "${best[$mode]}" \
      "$(tail -1 <<< "$sorted")" "$(head -1 <<< "$sorted")–$(tail -1 <<< "$sorted")" "${rss[$mode]}"
  done
done
