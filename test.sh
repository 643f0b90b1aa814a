#!/usr/bin/env bash
# Builds everything and runs every test: unit tests directly, window tests under xvfb-run, both with /tmp and
# HOME watched for leftovers (scripts/watched.sh), the format check (.clang-format), the include-edge check
# (scripts/include-map.txt), then the extra steps in scripts/test.d/ (fuzz replay and fixed-seed runs, sanitizer runs).
set -uo pipefail
cd "$(dirname "$0")"
./scripts/deps.sh || exit 1
jobs=$(nproc)
cmake -S . -B build -G Ninja >/dev/null || exit 1
cmake --build build -j "$jobs" || exit 1

status=0
summary=()
run_ctest() {  # label, parallel jobs, prefix command...
    local label=$1 parallel=$2; shift 2
    local log
    log=$(mktemp)
    "$@" scripts/watched.sh "build/watch-$label" ctest --test-dir build -L "$label" --output-on-failure --timeout 600 \
        -j "$parallel" 2>&1 | tee "$log"
    local rc=${PIPESTATUS[0]}
    [ "$rc" -ne 0 ] && status=1
    summary+=("$label: $(grep -E 'tests passed|No tests were found|left outside' "$log" | tail -1)")
    rm -f "$log"
}
run_ctest unit "$jobs"
# xvfb-run keeps its authority file beside the build, where the watched command's private /tmp does not hide it.
# Window tests share one display and read back its pixels and move its pointer: one at a time, so that no
# test's window covers another's.
mkdir -p build/xvfb
run_ctest window 1 env TMPDIR="$PWD/build/xvfb" xvfb-run -a

echo "== format"
if scripts/check-format.sh; then summary+=("format: passed"); else summary+=("format: FAILED"); status=1; fi

echo "== include edges"
if python3 scripts/check-includes.py; then summary+=("include edges: passed"); else summary+=("include edges: FAILED"); status=1; fi

for step in scripts/test.d/*.sh; do
    [ -e "$step" ] || continue
    echo "== $(basename "$step")"
    if bash "$step"; then summary+=("$(basename "$step"): passed"); else summary+=("$(basename "$step"): FAILED"); status=1; fi
done

echo
printf '%s\n' "${summary[@]}"
[ "$status" -eq 0 ] && echo "ALL TESTS PASSED" || echo "SOME TESTS FAILED"
exit "$status"
