#!/usr/bin/env bash
# Times `audiotool export` of a 3-minute MIDI file to .m4r against the command-line pair
# `fluidsynth -ni -F` + `ffmpeg` on the same SoundFont, and prints the ratio (goal: at most 1.0).
# Usage: bench/export_vs_cli.sh [BUILD_DIR]   (default: build; RUNS=5 rounds)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
tool="$build/bin/audiotool"
[ -x "$tool" ] || { echo "no $tool: build the audiotool target first" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_DOCUMENTS_DIR="$work/documents"

# The SoundFont audiotool uses: one beside the program, else the system's General MIDI set.
soundfont=""
for f in "$build"/bin/*.sf2 "$build"/bin/*.SF2 /usr/share/sounds/sf2/FluidR3_GM.sf2 /usr/share/soundfonts/FluidR3_GM.sf2 \
         /usr/share/sounds/sf2/TimGM6mb.sf2 /usr/share/soundfonts/default.sf2; do
    if [ -f "$f" ]; then soundfont="$f"; break; fi
done
[ -n "$soundfont" ] || { echo "no SoundFont found" >&2; exit 1; }

# A 3-minute song at 120 bpm: arpeggios, a bass line and a drum pattern.
python3 - "$work/song.mid" <<'PY'
import struct, sys
def vlq(n):
    out = [n & 0x7F]
    n >>= 7
    while n:
        out.append(0x80 | (n & 0x7F)); n >>= 7
    return bytes(reversed(out))
def track(events):
    data, last = b"", 0
    for tick, msg in sorted(events, key=lambda e: e[0]):
        data += vlq(tick - last) + msg; last = tick
    data += vlq(0) + b"\xff\x2f\x00"
    return b"MTrk" + struct.pack(">I", len(data)) + data
div, quarters = 480, 360
chords = [(60, 64, 67), (57, 60, 64), (53, 57, 60), (55, 59, 62)]
tempo = [(0, b"\xff\x51\x03" + (500000).to_bytes(3, "big"))]
arp, bass, drums = [(0, b"\xc0\x00")], [(0, b"\xc1\x21")], []
for q in range(quarters):
    chord = chords[(q // 4) % 4]
    for half in range(2):
        t = q * div + half * div // 2
        note = chord[(q * 2 + half) % 3] + 12
        arp += [(t, bytes([0x90, note, 80])), (t + div // 2 - 10, bytes([0x80, note, 0]))]
    if q % 2 == 0:
        b = chord[0] - 24
        bass += [(q * div, bytes([0x91, b, 90])), (q * div + 2 * div - 20, bytes([0x81, b, 0]))]
    kit = 36 if q % 2 == 0 else 38
    drums += [(q * div, bytes([0x99, kit, 100])), (q * div + 100, bytes([0x89, kit, 0]))]
    drums += [(q * div + div // 2, bytes([0x99, 42, 70])), (q * div + div // 2 + 60, bytes([0x89, 42, 0]))]
tracks = [track(tempo), track(arp), track(bass), track(drums)]
with open(sys.argv[1], "wb") as f:
    f.write(b"MThd" + struct.pack(">IHHH", 6, 1, len(tracks), div) + b"".join(tracks))
PY

options=(-vn -acodec aac -b:a 128k -f mp4)
tool_export() { "$tool" export "$work/song.mid" "$work/tool.m4r" 2>/dev/null; }
cli_export() {
    fluidsynth -ni -q -F "$work/cli.wav" -r 44100 "$soundfont" "$work/song.mid" >/dev/null &&
        ffmpeg -v error -y -i "$work/cli.wav" "${options[@]}" "$work/cli.m4r"
}
tool_render() { "$tool" render "$work/song.mid" "$work/tool.wav" 2>/dev/null; }
cli_render() { fluidsynth -ni -q -F "$work/cli.wav" -r 44100 "$soundfont" "$work/song.mid" >/dev/null; }

# Seconds taken by a command.
seconds() {
    local start end
    start=$(date +%s%N)
    "$@" || { echo "failed: $*" >&2; exit 1; }
    end=$(date +%s%N)
    echo "$(( (end - start) / 1000000 ))"
}

# Rounds alternate which side goes first, so that a change of machine load hits both alike.
compare() {
    local label=$1 mine=$2 theirs=$3 runs=${RUNS:-5} a=0 b=0 i
    "$mine"; "$theirs"  # warm-up
    for ((i = 0; i < runs; i++)); do
        if ((i % 2)); then
            b=$((b + $(seconds "$theirs"))); a=$((a + $(seconds "$mine")))
        else
            a=$((a + $(seconds "$mine"))); b=$((b + $(seconds "$theirs")))
        fi
    done
    awk -v l="$label" -v a="$a" -v b="$b" -v n="$runs" 'BEGIN {
        printf "%s: audiotool %.2f s, command-line tools %.2f s, ratio %.2f (goal <= 1.0)\n", l, a / n / 1000, b / n / 1000, a / b }'
}

compare "export to .m4r" tool_export cli_export
# The synthesis step alone, where the two differ (the encoding step is the same ffmpeg run).
compare "synthesis only" tool_render cli_render
