#!/bin/sh
# kelmora-telemetry against exiftool -ee -n, side by side in one run:
#  (a) one 3-minute 1080p recording each with a "gps " box and with a binary
#      data stream, one file per call;
#  (b) 100 recordings in one call (hard links to those two, 50 each);
#  (c) the bytes either program reads, as a share of the file size.
# Wall times are the median of RUNS runs (hyperfine's measure of each when it
# is installed), the two programs' runs alternating. The recordings are made
# once (bench_telemetry --make-only) and kept in FOLDER.
# Usage: benchmarks/telemetry/tool_vs_exiftool.sh [FOLDER]
# (no underscores or spaces in FOLDER, nor spaces in the build folder)
set -eu
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
BUILD_DIR="${KELMORA_BUILD_DIR:-$ROOT/build}"
FOLDER="${1:-/tmp/kelmora-bench-recordings}"
RUNS="${RUNS:-20}"
TOOL="$BUILD_DIR/bin/kelmora-telemetry"
case "$FOLDER" in *_* | *" "*) echo "no underscores or spaces in the folder: $FOLDER" >&2; exit 2 ;; esac
case "$TOOL" in *" "*) echo "no spaces in the build folder: $TOOL" >&2; exit 2 ;; esac

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

# Milliseconds of one run of the command string given (split at spaces),
# output discarded: hyperfine's measure when it is installed.
once_ms() {
    if command -v hyperfine >/dev/null; then
        hyperfine -N -w 0 -r 1 --export-json /tmp/kelmora-hyperfine.json "$1" >/dev/null 2>&1
        python3 -c 'import json,sys; print("%.3f" % (json.load(open(sys.argv[1]))["results"][0]["mean"] * 1000))' \
            /tmp/kelmora-hyperfine.json
        return
    fi
    start=$(date +%s%N)
    $1 >/dev/null 2>&1 || true
    end=$(date +%s%N)
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f\n", (b - a) / 1e6 }'
}

median() {
    sort -n "$1" | awk '{ v[NR] = $1 } END { printf "%.1f\n", v[int((NR + 1) / 2)] }'
}

# The median milliseconds of the two command strings given, as "a b". Their
# runs alternate, so the machine's drift (other guests) falls on both alike.
pair_ms() {
    once_ms "$1" >/dev/null
    once_ms "$2" >/dev/null
    : >/tmp/kelmora-times-a.txt
    : >/tmp/kelmora-times-b.txt
    n=0
    while [ $n -lt "$RUNS" ]; do
        once_ms "$1" >>/tmp/kelmora-times-a.txt
        once_ms "$2" >>/tmp/kelmora-times-b.txt
        n=$((n + 1))
    done
    echo "$(median /tmp/kelmora-times-a.txt) $(median /tmp/kelmora-times-b.txt)"
}

# Bytes the command given reads through read(2) and pread(2), all processes.
# strace sees no reads made in batches (io_uring): kelmora-telemetry makes the
# same reads one at a time for it.
bytes_read() {
    KELMORA_BATCHED_READS=0 strace -f -qq -e trace=read,pread64 -o /tmp/kelmora-strace.txt "$@" \
        >/dev/null 2>&1 || true
    awk -F'= ' '/= [0-9]+$/ { sum += $NF } END { print sum + 0 }' /tmp/kelmora-strace.txt
}

# A label and "ours theirs" in ms.
row() {
    label=$1
    set -- $2
    printf '%-44s %10s ms %10s ms %8sx\n' "$label" "$1" "$2" \
        "$(awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", b / a }')"
}

printf '%-44s %13s %13s %9s\n' "" "kelmora" "exiftool" "speed-up"
row "start-up alone (--version / -ver)" "$(pair_ms "$TOOL --version" "exiftool -ver")"
for name in bench-gpsbox.mp4 bench-binary.mp4; do
    file="$FOLDER/$name"
    row "(a) one file: $name" "$(pair_ms "$TOOL $file" "exiftool -ee -n $file")"
done
RUNS_SAVED=$RUNS
RUNS=$(((RUNS + 3) / 4))
files=$(echo "$BATCH"/*.mp4)
row "(b) 100 files in one call" "$(pair_ms "$TOOL $files" "exiftool -ee -n $files")"
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
