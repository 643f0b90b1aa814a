#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a few seconds as a smoke test.
set -euo pipefail
cd "$(dirname "$0")/../.."
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DKESTRIN_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j "$(nproc)"
seconds=${FUZZ_SECONDS:-5}
for target in build-fuzz/bin/*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    work=$(mktemp -d)
    [ -d "fuzz/$name/corpus" ] && cp -r "fuzz/$name/corpus/." "$work/"
    echo "fuzz $name for ${seconds}s"
    (cd "$work" && "$OLDPWD/$target" -max_total_time="$seconds" -print_final_stats=0 "$work" >"$work.log" 2>&1) || {
        tail -40 "$work.log"; rm -rf "$work" "$work.log"; exit 1; }
    rm -rf "$work" "$work.log"
done
