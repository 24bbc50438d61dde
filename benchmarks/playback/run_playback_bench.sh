#!/usr/bin/env bash
# Makes four 1920x1080 30 fps 20 s channels (once) and plays them alternately
# with the player and with bare libVLC, three times each, under Xvfb.
set -euo pipefail
BIN="${1:-$(cd "$(dirname "$0")/../.." && pwd)/build/bin}"
DATA="${KELMORA_BENCH_DATA:-/tmp/kelmora-bench-playback}"
mkdir -p "$DATA"
files=()
for ch in F R I B; do
    f="$DATA/2023_0501_120000_$ch.mp4"
    [ -s "$f" ] || ffmpeg -v error -y -f lavfi -i "testsrc2=s=1920x1080:r=30:d=20" -pix_fmt yuv420p \
        -c:v libx264 -preset veryfast -g 60 "$f"
    files+=("$f")
done
for run in 1 2 3; do
    xvfb-run -a -s "-screen 0 1920x1080x24" "$BIN/bench_player_group" "${files[@]}"
    "$BIN/bench_bare_libvlc" "${files[@]}"
done
