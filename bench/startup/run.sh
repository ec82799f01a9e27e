#!/usr/bin/env bash
# bench/startup/run.sh BUILD_DIR [RUNS]: start-up of the program under a real
# X server (Xvfb, xcb platform), side by side with a bare Qt window of the same
# size, in one run: the time until the first window is mapped and the resident
# memory half a second later, median of RUNS (default 5), the programs started
# in turn so all see the same machine. No D-Bus session bus is given to them:
# a bare Qt program then has the D-Bus library try to launch one ("dbus-launch
# --autolaunch", a process started: several milliseconds), which velmora no
# longer does (it would leave a daemon and a file in the home folder). So the
# bare window is measured a second time with the bus address velmora uses when
# there is none, and both ratios are printed.
set -euo pipefail
build=${1:-build/release}
runs=${2:-5}
watch="$build/bench/startup/mapwatch"
bare="$build/bench/startup/bare_window"
velmora="$build/app/velmora"
for f in "$watch" "$bare" "$velmora"; do
  [ -x "$f" ] || { echo "run.sh: $f is missing (build the release preset first)" >&2; exit 1; }
done

if [ -z "${VELMORA_BENCH_IN_X:-}" ]; then
  exec env VELMORA_BENCH_IN_X=1 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$@"
fi

export QT_QPA_PLATFORM=xcb
unset DBUS_SESSION_BUS_ADDRESS # the same for every run, whatever the caller has
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/run"
export HOME="$home" XDG_CACHE_HOME="$home/.cache" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home/run"

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

declare -A times rss
"$watch" 300 "$bare" >/dev/null # a first start warms the disk cache for both
"$watch" 300 "$velmora" >/dev/null
no_bus=unix:path=/dev/null/no-session-bus
for ((i = 1; i <= runs; i++)); do
  for name in bare velmora bare_nobus; do
    prog=$bare
    [ "$name" = velmora ] && prog=$velmora
    if [ "$name" = bare_nobus ]; then
      out=$(DBUS_SESSION_BUS_ADDRESS=$no_bus "$watch" 500 "$prog")
    else
      out=$("$watch" 500 "$prog")
    fi
    t=${out#map_ms=}; t=${t%% *}
    r=${out#*rss_kib=}
    times[$name]+="$t "
    rss[$name]+="$r "
  done
done

tb=$(tr ' ' '\n' <<<"${times[bare]}" | grep . | median)
tv=$(tr ' ' '\n' <<<"${times[velmora]}" | grep . | median)
tn=$(tr ' ' '\n' <<<"${times[bare_nobus]}" | grep . | median)
rb=$(tr ' ' '\n' <<<"${rss[bare]}" | grep . | median)
rv=$(tr ' ' '\n' <<<"${rss[velmora]}" | grep . | median)
printf '%-26s %12s %12s\n' "median of $runs (Xvfb, xcb)" "mapped (ms)" "RSS (KiB)"
printf '%-26s %12s %12s   runs: %s\n' "bare Qt window" "$tb" "$rb" "${times[bare]}"
printf '%-26s %12s %12s   runs: %s\n' "velmora" "$tv" "$rv" "${times[velmora]}"
printf '%-26s %12s %12s   runs: %s\n' "bare, no bus launched" "$tn" "-" "${times[bare_nobus]}"
awk -v tb="$tb" -v tv="$tv" -v rb="$rb" -v rv="$rv" -v tn="$tn" \
  'BEGIN {printf "velmora / bare: time %.2fx (target <= 1.25x), memory %.2fx (target <= 1.5x)\n", tv / tb, rv / rb;
          printf "velmora / bare with no bus launched: time %.2fx\n", tv / tn}'
