#!/usr/bin/env bash
# Time from process start to the start document loaded: the viewer on the
# sample collection against a bare web view opening the same file, both in
# one run under one virtual X server.
#   RUNS=15 BUILD_DIR=build-bench-startup bench/startup/run.sh
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=${BUILD_DIR:-$ROOT/build-bench-startup}
RUNS=${RUNS:-15}

cmake -S "$ROOT/bench/startup" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD" --target startup_folverin startup_bare -j "$(nproc)" >/dev/null

export QTWEBENGINE_DISABLE_SANDBOX=1
xvfb-run -a -s "-screen 0 1280x1024x24" \
  python3 "$ROOT/bench/startup/measure.py" "$BUILD" "$ROOT/examples/collection" "$RUNS"
