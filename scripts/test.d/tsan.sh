#!/usr/bin/env bash
# Builds the ThreadSanitizer stress tests (playback while the song is edited) and runs them.
set -euo pipefail
cd "$(dirname "$0")/../.."
cmake -S . -B build-tsan -G Ninja -DKESTRIN_TSAN=ON >/dev/null
cmake --build build-tsan -j "$(nproc)" --target playback_stress wave_out_stress
export TSAN_OPTIONS="halt_on_error=1 exitcode=66 ${TSAN_OPTIONS:-}"
ctest --test-dir build-tsan --output-on-failure --timeout 120
