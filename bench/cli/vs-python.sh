#!/usr/bin/env bash
# Whole-process time of `velmora-encode morse` on a 64 MiB file against a
# Python str.translate one-liner doing the same code, with hyperfine.
#   bench/cli/vs-python.sh path/to/velmora-encode
set -euo pipefail
encode=${1:?usage: vs-python.sh path/to/velmora-encode}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$work/in.txt" <<'PY'
import sys
text = ("Le 14 Juillet, Ave César! Bonjour à tous, voici un message codé.\r\n"
        "Polybe inventa un système de signalisation avec des torches. 2026\r\n")
data = (text * (64 * 1024 * 1024 // len(text.encode()) + 1)).encode()[:64 * 1024 * 1024]
open(sys.argv[1], "wb").write(data.decode("utf-8", "ignore").encode())
PY

cat > "$work/morse.py" <<'PY'
import sys
t = {' ': '/', 'a': '·-/', 'b': '-···/', 'c': '-·-·/', 'd': '-··/', 'e': '·/', 'f': '··-·/', 'g': '- -·/',
     'h': '····/', 'i': '··/', 'j': '·- - -/', 'k': '-·-/', 'l': '·-··/', 'm': '- -/', 'n': '-·/', 'o': '- - -/',
     'p': '·- -·/', 'q': '- -·-/', 'r': '·-·/', 's': '···/', 't': '-/', 'u': '··-/', 'v': '···-/', 'w': '·- -/',
     'x': '-··-/', 'y': '-·- -/', 'z': '- -··/', '.': '//'}
sys.stdout.write(sys.stdin.read().lower().translate(str.maketrans(t)))
PY

"$encode" morse < "$work/in.txt" > "$work/ours.txt"
python3 "$work/morse.py" < "$work/in.txt" > "$work/python.txt"
cmp "$work/ours.txt" "$work/python.txt" && echo "same output ($(stat -c %s "$work/ours.txt") bytes)"

hyperfine --warmup 1 --runs 5 \
  -n velmora-encode "$encode morse < $work/in.txt > /dev/null" \
  -n python-translate "python3 $work/morse.py < $work/in.txt > /dev/null"
/usr/bin/env time -f "velmora-encode peak resident memory: %M KiB" "$encode" morse < "$work/in.txt" > /dev/null
