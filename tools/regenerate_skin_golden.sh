#!/bin/sh
# Rewrites the golden pictures of the skinned-control tests from the current painting code.
# Use only deliberately, after a reviewed change of the look; look at every rewritten picture before committing.
# Usage: tools/regenerate_skin_golden.sh [BUILD_FOLDER] [TEST_FILTER]
set -e
build=${1:-build}
filter=${2:-*PaintedLooks*}
cmake --build "$build" --target skinui_tests
KESTRIN_REGENERATE_GOLDEN=1 xvfb-run -a "$build/bin/skinui_tests" --gtest_filter="$filter"
git -C "$(dirname "$0")/.." status --short tests/skinui/golden
