#!/usr/bin/env bash
# Times the converter's batch of 20 generated 20-second files to .mp3 against the same ffmpeg command lines run
# from a shell loop, and prints the ratio (goal: at most 1.05).
# Usage: bench/converter_batch_vs_shell.sh [BUILD_DIR]   (default: build; RUNS=3 rounds)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
tool="$build/bin/bench_converter_batch"
[ -x "$tool" ] || { echo "no $tool: build the bench_converter_batch target first" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# The log, the preview waves and the settings stay in the work folder.
export XDG_DOCUMENTS_DIR="$work/documents" TMPDIR="$work/tmp" HOME="$work"
mkdir -p "$work/documents" "$work/tmp" "$work/media" "$work/batch" "$work/shell" "$work/program"
# The mp3 settings: 44100 Hz, 128 kbit/s, stereo.
printf '[format0]\nsample=1\nbitrate=5\nchannel=1\n' >"$work/program/common.ini"

files=()
for i in $(seq 1 20); do
    f="$work/media/tone $i.wav"
    ffmpeg -v error -y -f lavfi -i "sine=frequency=$((200 + 20 * i)):duration=20:sample_rate=44100" -ac 2 "$f"
    files+=("$f")
done

# Every clip is the whole 20 seconds, never edited.
shell_batch() {
    local f title
    for f in "${files[@]}"; do
        title=$(basename "$f" .wav)
        ffmpeg -y -i "$f" -vn -ss 0 -t 20 -acodec mp3 -ac 2 -ar 44100 -ab 128k -f mp3 "$work/shell/$title.mp3" \
            </dev/null >/dev/null 2>&1
    done
}
shell_ms() {
    local start end
    start=$(date +%s%N)
    shell_batch
    end=$(date +%s%N)
    echo $(((end - start) / 1000000))
}
batch_ms() { "$tool" "$work/program" 0 "$work/batch" "${files[@]}"; }

# Rounds alternate which side goes first, so that a change of machine load hits both alike.
runs=${RUNS:-3} a=0 b=0
batch_ms >/dev/null; shell_ms >/dev/null  # warm-up
for ((i = 0; i < runs; i++)); do
    if ((i % 2)); then
        b=$((b + $(shell_ms))); a=$((a + $(batch_ms)))
    else
        a=$((a + $(batch_ms))); b=$((b + $(shell_ms)))
    fi
done
for f in "$work"/batch/*.mp3; do
    cmp -s "$f" "$work/shell/$(basename "$f")" || { echo "outputs differ: $(basename "$f")" >&2; exit 1; }
done
awk -v a="$a" -v b="$b" -v n="$runs" 'BEGIN {
    printf "20 files to .mp3: converter batch %.2f s, shell loop %.2f s, ratio %.3f (goal <= 1.05)\n",
           a / n / 1000, b / n / 1000, a / b }'
