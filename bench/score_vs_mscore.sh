#!/usr/bin/env bash
# Times loading, laying out and painting every page of the densest test MIDI file through scorepng beside
# MuseScore 3's command line doing the same job (`mscore3 -o page.png FILE.mid`, offscreen), and prints the
# ratio (goal: at most 0.1).
# Usage: bench/score_vs_mscore.sh [BUILD_DIR]   (default: build; RUNS=5 rounds)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
tool="$build/bin/scorepng"
[ -x "$tool" ] || { echo "no $tool: build the scorepng target first" >&2; exit 1; }
command -v mscore3 >/dev/null || { echo "no mscore3: run scripts/deps.sh --bench" >&2; exit 1; }
testdata="${KESTRIN_TESTDATA:-$root/../shared/testdata}"
song="$(ls -S "$testdata"/midi/*.mid | head -1)"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/kestrin" "$work/mscore" "$work/home"
export QT_QPA_PLATFORM=offscreen HOME="$work/home" XDG_RUNTIME_DIR="$work/home"

echo "song: $song"
hyperfine --warmup 1 --runs "${RUNS:-5}" --export-json "$work/times.json" \
    "'$tool' '$song' '$work/kestrin/page.bmp' --all-pages '$work/kestrin'" \
    "mscore3 -o '$work/mscore/page.png' '$song'"
echo "pages: scorepng $(ls "$work/kestrin" | grep -c '^page0'), mscore3 $(ls "$work/mscore" | wc -l)"
python3 - "$work/times.json" <<'PY'
import json, sys
ours, theirs = (r["mean"] for r in json.load(open(sys.argv[1]))["results"])
print(f"scorepng {ours * 1000:.1f} ms, mscore3 {theirs * 1000:.1f} ms, ratio {ours / theirs:.4f} (goal <= 0.1)")
PY
