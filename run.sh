#!/usr/bin/env bash
# Builds and starts the composer (./run.sh) or the converter (./run.sh converter).
set -euo pipefail
cd "$(dirname "$0")"
./scripts/deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build -j "$(nproc)"
program=kestrin
if [ "${1:-}" = "converter" ]; then program=tonwick; shift; fi
if [ ! -x "build/bin/$program" ]; then
    echo "$program is not built yet: its window is still to come." >&2
    exit 1
fi
exec "build/bin/$program" "$@"
