#!/usr/bin/env bash
# Builds everything and runs every test: unit tests directly, window tests under xvfb-run, both with /tmp and
# HOME watched for leftovers (scripts/watched.sh), the format check (.clang-format), the include-edge check
# (scripts/include-map.txt), the layer diagram of docs/ARCHITECTURE.md against that map, then the extra steps in scripts/test.d/ (fuzz replay and fixed-seed runs, sanitizer runs).
# The summary gives each stage's time.
set -uo pipefail
cd "$(dirname "$0")"
status=0
summary=()
started=$SECONDS
stage_start=$SECONDS
took=""
stage_time() {  # sets $took to the time since the last call, as "(M:SS)"; not in a subshell, so the clock moves on
    local seconds=$((SECONDS - stage_start))
    stage_start=$SECONDS
    took=$(printf '(%d:%02d)' $((seconds / 60)) $((seconds % 60)))
}

./scripts/deps.sh || exit 1
jobs=$(nproc)
# Warnings are errors here, so that none is left behind; a developer's own build only shows them.
cmake -S . -B build -G Ninja -DKESTRIN_WERROR=ON >/dev/null || exit 1
cmake --build build -j "$jobs" || exit 1
stage_time
summary+=("build: done $took")

run_ctest() {  # label, parallel jobs, prefix command...
    local label=$1 parallel=$2; shift 2
    local log
    log=$(mktemp)
    "$@" scripts/watched.sh "build/watch-$label" ctest --test-dir build -L "$label" --output-on-failure --timeout 600 \
        -j "$parallel" 2>&1 | tee "$log"
    local rc=${PIPESTATUS[0]}
    local result
    result=$(grep -E 'tests passed|No tests were found|left outside' "$log" | tail -1)
    # A run that executed nothing (no tests found, or ctest could not even enter the build folder) is a failure.
    if ! grep -qE 'tests passed, [0-9]+ tests failed out of [1-9]' "$log"; then
        rc=1
        result="FAILED: no test ran ($(grep -m1 -E 'No tests were found|Failed to change working directory|Could not find' "$log" ||
            echo "ctest reported no results"))"
        echo "test.sh: $label: $result"
    fi
    [ "$rc" -ne 0 ] && status=1
    stage_time
    summary+=("$label: $result $took")
    rm -f "$log"
}
run_ctest unit "$jobs"
# xvfb-run keeps its authority file beside the build, where the watched command's private /tmp does not hide it.
# Window tests share one display and read back its pixels and move its pointer: one at a time, so that no
# test's window covers another's.
mkdir -p build/xvfb
run_ctest window 1 env TMPDIR="$PWD/build/xvfb" xvfb-run -a

echo "== format"
if scripts/check-format.sh; then result=passed; else result=FAILED; status=1; fi
stage_time
summary+=("format: $result $took")

echo "== include edges"
if python3 scripts/check-includes.py; then result=passed; else result=FAILED; status=1; fi
stage_time
summary+=("include edges: $result $took")

echo "== layer diagram"
if python3 scripts/layer-diagram.py --check docs/ARCHITECTURE.md; then result=passed; else result=FAILED; status=1; fi
stage_time
summary+=("layer diagram: $result $took")

for step in scripts/test.d/*.sh; do
    [ -e "$step" ] || continue
    echo "== $(basename "$step")"
    if bash "$step"; then result=passed; else result=FAILED; status=1; fi
    stage_time
    summary+=("$(basename "$step"): $result $took")
done

echo
printf '%s\n' "${summary[@]}"
stage_start=$started
stage_time
echo "total $took"
[ "$status" -eq 0 ] && echo "ALL TESTS PASSED" || echo "SOME TESTS FAILED"
exit "$status"
