#!/usr/bin/env bash
# Builds the unit tests with AddressSanitizer and UndefinedBehaviorSanitizer and runs each suite whole, in
# shuffled order (a fixed seed; SHUFFLE_SEED=0 picks a new one), each in a sandbox of its own.
set -uo pipefail
cd "$(dirname "$0")/../.."
cmake -S . -B build-asan -G Ninja -DKESTRIN_ASAN=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
cmake --build build-asan -j "$(nproc)" --target unit_tests || exit 1
export ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1:${ASAN_OPTIONS:-}"
export LSAN_OPTIONS="suppressions=$PWD/scripts/test.d/lsan.supp:${LSAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
seed=${SHUFFLE_SEED:-1}
logs=$(mktemp -d build-asan/logs.XXXXXX)
# One suite per core at a time; each prints its log only when it fails.
xargs -P "$(nproc)" -I{} sh -c 'log="$1/$(basename "$2").log"
    if cmake/test_sandbox.sh build-asan/sandbox "$2" --gtest_shuffle --gtest_random_seed="$3" >"$log" 2>&1; then
        echo "passed $(basename "$2")"
    else
        tail -60 "$log"; echo "FAILED $(basename "$2")"; exit 1
    fi' _ "$logs" {} "$seed" < build-asan/unit_tests.txt
status=$?
rm -rf "$logs"
exit $status
