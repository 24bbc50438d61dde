#!/bin/sh
# A 60-second 1920x1080 cut with the telemetry overlay against the same cut
# without it (see bench_cut_overlay.cpp).
# Usage: benchmarks/edit/cut_overlay.sh [FOLDER]  (the recording is made there once)
set -eu
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
BUILD_DIR="${KELMORA_BUILD_DIR:-$ROOT/build}"
cmake --build "$BUILD_DIR" --target bench_cut_overlay >/dev/null
exec "$BUILD_DIR/bin/bench_cut_overlay" "$@"
