#!/bin/sh
# kelmora-telemetry --trip --format gpx against exiftool -ee -n -GPSDateTime on
# 100 generated ten-second recordings, one call each (see bench_trip.cpp).
# Usage: benchmarks/telemetry/trip_vs_exiftool.sh [FOLDER]  (no underscores)
set -eu
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
BUILD_DIR="${KELMORA_BUILD_DIR:-$ROOT/build}"
cmake --build "$BUILD_DIR" --target bench_trip >/dev/null
exec "$BUILD_DIR/bin/bench_trip" "$@"
