#!/usr/bin/env bash
# The rendering service's benchmarks for bench/run-all: page computation and
# start-up (Google Benchmark), HTTP throughput with wrk, side by side with
# nginx serving the same pages, the lock-out check and the soak.
#   bench/render/run.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: $0 BUILD_DIR}
here=$(dirname "$0")
"$build/bench/render/bench_render" --benchmark_min_time=0.2
"$here/run-wrk.sh" "$build/render/velmora-render-server"
"$here/compare.sh" "$build/render/velmora-render-server"
"$here/lockout.sh" "$build/render/velmora-render-server"
"$here/soak.sh" "$build/render/velmora-render-server"
