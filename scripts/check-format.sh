#!/usr/bin/env bash
# Checks every tracked .cpp and .h against .clang-format without changing them; lists the files that differ
# and exits non-zero when any does. `clang-format -i FILE` applies the style to a file.
set -uo pipefail
cd "$(dirname "$0")/.."
differ=()
while IFS= read -r -d '' file; do
    if ! clang-format --dry-run --Werror "$file" >/dev/null 2>&1; then differ+=("$file"); fi
done < <(git ls-files -z '*.cpp' '*.h')
if [ ${#differ[@]} -ne 0 ]; then
    printf '%s\n' "${differ[@]}"
    echo "check-format.sh: ${#differ[@]} files differ from .clang-format"
    exit 1
fi
echo "check-format.sh: every file follows .clang-format"
