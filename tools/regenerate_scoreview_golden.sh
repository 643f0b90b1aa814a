#!/bin/sh
# Rewrites the golden pictures of the score view tests from the current painting code.
# Use only deliberately, after a reviewed change of the look; look at every rewritten picture before committing.
# Usage: tools/regenerate_scoreview_golden.sh [BUILD_FOLDER] [TEST_FILTER]
set -e
build=${1:-build}
filter=${2:-*Golden*}
cmake --build "$build" --target scoreview_tests
KESTRIN_REGENERATE_GOLDEN=1 "$build/bin/scoreview_tests" --gtest_filter="$filter"
git -C "$(dirname "$0")/.." status --short tests/scoreview/golden
