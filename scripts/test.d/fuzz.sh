#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, replays each target's corpus (fuzz/<target>/corpus/) and runs it from a
# fixed seed for a fixed number of runs, so that the result does not depend on luck. Longer runs with random
# seeds: scripts/fuzz-long.sh. FUZZ_RUNS sets the number of runs (default 3000); an input that runs longer than
# FUZZ_TIMEOUT seconds (default 10) is a finding.
set -euo pipefail
cd "$(dirname "$0")/../.."
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DKESTRIN_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j "$(nproc)"
runs=${FUZZ_RUNS:-3000}
timeout=${FUZZ_TIMEOUT:-10}
root=$(pwd)
work=$(mktemp -d "$root/build-fuzz/run.XXXXXX")
trap 'rm -rf "$work"' EXIT
status=0
for folder in fuzz/*/; do
    name=$(basename "$folder")
    target=$root/build-fuzz/bin/$name
    if [ ! -x "$target" ]; then echo "fuzz $name: not built"; status=1; continue; fi
    mkdir -p "$work/$name/corpus" "$work/$name/tmp"
    [ -d "$folder/corpus" ] && cp -r "$folder/corpus/." "$work/$name/corpus/"
    inputs=("$work/$name/corpus"/*)
    echo "fuzz $name: ${#inputs[@]} corpus inputs, then $runs runs from seed 1"
    if ! (cd "$work/$name" && export TMPDIR="$work/$name/tmp" &&
          { [ ! -e "${inputs[0]}" ] || "$target" -timeout="$timeout" "${inputs[@]}"; } &&
          "$target" -seed=1 -runs="$runs" -timeout="$timeout" -print_final_stats=0 corpus) >"$work/$name.log" 2>&1; then
        tail -40 "$work/$name.log"
        mkdir -p build-fuzz/findings
        for crash in "$work/$name"/crash-* "$work/$name"/leak-* "$work/$name"/timeout-* "$work/$name"/oom-*; do
            [ -e "$crash" ] && cp "$crash" "build-fuzz/findings/$name-$(basename "$crash")" &&
                echo "fuzz $name: finding kept as build-fuzz/findings/$name-$(basename "$crash")"
        done
        status=1
    elif [ -n "$(ls -A "$work/$name/tmp")" ]; then
        echo "fuzz $name: left files in its temporary folder: $(ls -A "$work/$name/tmp")"
        status=1
    fi
done
exit $status
