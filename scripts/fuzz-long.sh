#!/usr/bin/env bash
# scripts/fuzz-long.sh [SECONDS [TARGET...]]
# Runs every libFuzzer target (or the named ones) for SECONDS (default 600) with a random seed, all targets in
# parallel, starting from its corpus and the corpus it grew in earlier runs (kept in build-fuzz/corpus/<target>/),
# and reports what they found (kept in build-fuzz/findings/). An input that runs longer than FUZZ_TIMEOUT seconds
# (default 10) is a finding; FUZZ_BUILD_JOBS sets the build's parallel jobs. Run it before resolving a change to a
# reader; a fixed finding goes into fuzz/<target>/corpus/ as a regression input.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
shift $(($# > 0 ? 1 : 0))
timeout=${FUZZ_TIMEOUT:-10}
# The painting targets load fonts, whose library keeps caches for the process's lifetime.
export LSAN_OPTIONS="suppressions=$PWD/scripts/test.d/lsan.supp:${LSAN_OPTIONS:-}"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DKESTRIN_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j "${FUZZ_BUILD_JOBS:-$(nproc)}" ${1:+--target "$@"}
root=$(pwd)
work=$(mktemp -d "$root/build-fuzz/long.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p build-fuzz/findings
names=()
folders=("$@")
[ ${#folders[@]} -gt 0 ] && folders=("${folders[@]/#/fuzz/}") || folders=(fuzz/*/)
for folder in "${folders[@]}"; do
    name=$(basename "$folder")
    [ -x "build-fuzz/bin/$name" ] || { echo "fuzz $name: not built"; exit 1; }
    names+=("$name")
    rm -f "build-fuzz/findings/$name-"*
    # The grown corpus is kept: the next run starts where this one ended.
    grown=$root/build-fuzz/corpus/$name
    mkdir -p "$grown" "$work/$name/tmp"
    [ -d "$folder/corpus" ] && cp -r "$folder/corpus/." "$grown/"
    (cd "$work/$name" && TMPDIR="$work/$name/tmp" "$root/build-fuzz/bin/$name" -seed=0 -max_total_time="$seconds" \
        -timeout="$timeout" -print_final_stats=1 -artifact_prefix="$root/build-fuzz/findings/$name-" "$grown" \
        >"$work/$name.log" 2>&1) &
done
echo "fuzzing ${names[*]} for ${seconds}s each, in parallel"
failed=0
wait || true
for name in "${names[@]}"; do
    found=$(ls "build-fuzz/findings/$name-"* 2>/dev/null || true)
    if grep -q 'ERROR: libFuzzer\|ERROR: AddressSanitizer\|runtime error\|==ERROR' "$work/$name.log" || [ -n "$found" ]; then
        echo "== $name: FOUND"
        grep -m5 'ERROR\|runtime error\|SUMMARY' "$work/$name.log" || true
        echo "$found"
        failed=1
    else
        echo "== $name: nothing found ($(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$work/$name.log" || echo '? runs'))"
    fi
done
exit $failed
