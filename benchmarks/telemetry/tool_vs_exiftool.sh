#!/bin/sh
# kelmora-telemetry against exiftool -ee -n, side by side in one run:
#  (a) one 3-minute 1080p recording each with a "gps " box and with a binary
#      data stream, one file per call;
#  (b) 100 recordings in one call (hard links to those two, 50 each);
#  (c) the bytes either program reads, as a share of the file size.
# Wall times are hyperfine's median when it is installed, else the median of
# RUNS runs. The recordings are made once (bench_telemetry --make-only) and
# kept in FOLDER.
# Usage: benchmarks/telemetry/tool_vs_exiftool.sh [FOLDER]  (no underscores)
set -eu
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
BUILD_DIR="${KELMORA_BUILD_DIR:-$ROOT/build}"
FOLDER="${1:-/tmp/kelmora-bench-recordings}"
RUNS="${RUNS:-20}"
TOOL="$BUILD_DIR/bin/kelmora-telemetry"
case "$FOLDER" in *_*) echo "no underscores in the folder: $FOLDER" >&2; exit 2 ;; esac

cmake --build "$BUILD_DIR" --target kelmora-telemetry bench_telemetry >/dev/null
mkdir -p "$FOLDER"
"$BUILD_DIR/bin/bench_telemetry" "$FOLDER" --make-only
command -v exiftool >/dev/null || { echo "exiftool not installed" >&2; exit 1; }

BATCH="$FOLDER/batch"
if [ ! -e "$BATCH/b99.mp4" ]; then
    mkdir -p "$BATCH"
    i=0
    while [ $i -lt 50 ]; do
        ln -f "$FOLDER/bench-gpsbox.mp4" "$BATCH/g$i.mp4"
        ln -f "$FOLDER/bench-binary.mp4" "$BATCH/b$((i + 50)).mp4"
        i=$((i + 1))
    done
fi

# Milliseconds of one run of the command given, output discarded.
once_ms() {
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
}

# Wall time of the command given in ms, with one decimal.
time_ms() {
    if command -v hyperfine >/dev/null; then
        hyperfine -N -w 2 -r "$RUNS" --export-json /tmp/kelmora-hyperfine.json "$*" >/dev/null 2>&1
        python3 -c 'import json,sys; print("%.1f" % (json.load(open(sys.argv[1]))["results"][0]["median"] * 1000))' \
            /tmp/kelmora-hyperfine.json
        return
    fi
    "$@" >/dev/null 2>&1 || true
    n=0
    : >/tmp/kelmora-times.txt
    while [ $n -lt "$RUNS" ]; do
        once_ms "$@" >>/tmp/kelmora-times.txt
        n=$((n + 1))
    done
    sort -n /tmp/kelmora-times.txt | awk '{ v[NR] = $1 } END { printf "%.1f\n", v[int((NR + 1) / 2)] / 1000 }'
}

# Bytes the command given reads through read(2) and pread(2), all processes.
bytes_read() {
    strace -f -qq -e trace=read,pread64 -o /tmp/kelmora-strace.txt "$@" >/dev/null 2>&1 || true
    awk -F'= ' '/= [0-9]+$/ { sum += $NF } END { print sum + 0 }' /tmp/kelmora-strace.txt
}

row() {
    printf '%-44s %10s ms %10s ms %8sx\n' "$1" "$2" "$3" \
        "$(awk -v a="$2" -v b="$3" 'BEGIN { printf "%.1f", b / a }')"
}

printf '%-44s %13s %13s %9s\n' "" "kelmora" "exiftool" "speed-up"
row "start-up alone (--version / -ver)" "$(time_ms "$TOOL" --version)" "$(time_ms exiftool -ver)"
for name in bench-gpsbox.mp4 bench-binary.mp4; do
    file="$FOLDER/$name"
    row "(a) one file: $name" "$(time_ms "$TOOL" "$file")" "$(time_ms exiftool -ee -n "$file")"
done
RUNS_SAVED=$RUNS
RUNS=$(((RUNS + 3) / 4))
row "(b) 100 files in one call" "$(time_ms "$TOOL" "$BATCH"/*.mp4)" \
    "$(time_ms exiftool -ee -n "$BATCH"/*.mp4)"
RUNS=$RUNS_SAVED

echo
base_ours=$(bytes_read "$TOOL" /nonexistent)
base_theirs=$(bytes_read exiftool -ee -n /nonexistent)
for name in bench-gpsbox.mp4 bench-binary.mp4; do
    file="$FOLDER/$name"
    size=$(stat -c %s "$file")
    ours=$(($(bytes_read "$TOOL" "$file") - base_ours))
    theirs=$(($(bytes_read exiftool -ee -n "$file") - base_theirs))
    awk -v n="$name" -v s="$size" -v a="$ours" -v b="$theirs" 'BEGIN {
        printf "(c) bytes read of %s (%.1f MB): kelmora %d KB = %.3f %%, exiftool %d KB = %.3f %%\n",
            n, s / 1048576, a / 1024, 100 * a / s, b / 1024, 100 * b / s }'
done
