#!/usr/bin/env bash
# The rendering service's benchmarks for bench/run-all: page computation and
# start-up (Google Benchmark), then HTTP throughput with wrk.
#   bench/render/run.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: $0 BUILD_DIR}
here=$(dirname "$0")
"$build/bench/render/bench_render" --benchmark_min_time=0.2
"$here/run-wrk.sh" "$build/render/velmora-render-server"
"$here/soak.sh" "$build/render/velmora-render-server"
