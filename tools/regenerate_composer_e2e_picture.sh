#!/bin/sh
# Rewrites the reviewed picture of the composer's main window that the end-to-end test compares with loosely.
# Use only deliberately, after a reviewed change of the layout; look at the rewritten picture before committing.
# Usage: tools/regenerate_composer_e2e_picture.sh [BUILD_FOLDER]
set -e
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
cmake --build "$build" --target kestrin songtool
testdata=${KESTRIN_TESTDATA:-$root/../shared/testdata}
KESTRIN_E2E_WRITE_PICTURE=1 xvfb-run -a "$root/cmake/test_sandbox.sh" "$build/sandbox" \
    python3 "$root/tests/composer/e2e/composer_e2e.py" "$build/bin/kestrin" "$build/bin/songtool" "$testdata"
git -C "$root" status --short tests/composer/e2e
