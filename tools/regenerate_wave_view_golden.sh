#!/bin/sh
# Rewrites the wave view's golden picture from the current painting code.
# Use only deliberately, after a reviewed change of the look; look at the rewritten picture before committing.
# Usage: tools/regenerate_wave_view_golden.sh [BUILD_FOLDER]
set -e
build=${1:-build}
cmake --build "$build" --target audio_window_tests
KESTRIN_REGENERATE_GOLDEN=1 xvfb-run -a "$build/bin/audio_window_tests" --gtest_filter='*PaintedWave*'
git -C "$(dirname "$0")/.." status --short tests/audio/window/golden
