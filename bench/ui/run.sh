#!/usr/bin/env bash
# bench/ui/run.sh BUILD_DIR: start-up and coding figures of the windows, then
# a 50 MiB paste coded with every local code.
set -euo pipefail
build=${1:-build/release}
QT_QPA_PLATFORM=offscreen "$build/bench/ui/bench_ui"
QT_QPA_PLATFORM=offscreen "$build/bench/ui/bench_ui" --paste-mib 50
