#!/usr/bin/env bash
# The Morse sound's figures for bench/run-all: generation throughput (Google
# Benchmark), then the peak memory and time of velmora-encode writing the WAV
# file of an 8 KiB message (about 400 MB of sound), to a file and to a pipe.
#   bench/sound/run.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: $0 BUILD_DIR}
encode="$build/cli/velmora-encode"
"$build/bench/sound/bench_sound" --benchmark_min_time=0.2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# 8 KiB of plain French text, letters and blanks.
text="Le code Morse se lit a l oreille avec des points des traits et des silences "
: > "$work/message.txt"
while [ "$(wc -c < "$work/message.txt")" -lt 8192 ]; do
  printf '%s' "$text" >> "$work/message.txt"
done
head -c 8192 "$work/message.txt" > "$work/message-8k.txt"

report() {
  local what=$1 log=$2
  printf '%-34s peak RSS %6s KiB, %s s\n' "$what" \
    "$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$log")" \
    "$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$log")"
}
/usr/bin/time -v "$encode" morse --wav "$work/out.wav" < "$work/message-8k.txt" 2> "$work/time-file.log"
report "8 KiB message -> WAV file" "$work/time-file.log"
echo "  file: $(stat -c %s "$work/out.wav") bytes"
rm -f "$work/out.wav"
/usr/bin/time -v "$encode" morse --wav - < "$work/message-8k.txt" 2> "$work/time-pipe.log" | cat > /dev/null
report "8 KiB message -> WAV on a pipe" "$work/time-pipe.log"
