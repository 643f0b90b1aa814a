#!/usr/bin/env bash
# Runs a command with /tmp and HOME watched and fails if it fails or leaves anything in either:
# watched.sh FOLDER COMMAND [ARG...]. /tmp is a private empty folder (FOLDER/tmp, in a mount namespace of the
# command's own where the system allows one, else TMPDIR), HOME is FOLDER/home. A checkout that itself lives
# under /tmp is bound back into the private /tmp at its own path, so the command still finds it, and so is the
# shared test data folder beside it.
set -uo pipefail
watch=$1
shift
rm -rf "$watch"
mkdir -p "$watch/tmp" "$watch/home" || exit 1
watch=$(cd "$watch" && pwd)
top=$(cd "$(dirname "$0")/.." && pwd -P)
# The paths below /tmp the command must still find: the checkout and the test data beside it, each recreated
# inside the private /tmp as a mount point and bound to what it names (a link is followed).
inside=()
pairs=()
for path in "$top" "$(dirname "$top")/shared"; do
    case $path in /tmp/?*) [ -e "$path" ] && inside+=("${path#/tmp/}") && pairs+=("$(cd "$path" && pwd -P)" "${path#/tmp/}") ;; esac
done
if unshare --mount true 2>/dev/null; then
    for path in "${inside[@]}"; do mkdir -p "$watch/tmp/$path" || exit 1; done
    # The folders are bound first, while both paths are still visible; the recursive bind then carries them along.
    HOME=$watch/home unshare --mount sh -c '
        tmp=$1
        count=$2
        shift 2
        i=0
        while [ "$i" -lt "$count" ]; do
            mount --bind "$1" "$tmp/$2" || exit 1
            shift 2
            i=$((i + 1))
        done
        mount --rbind "$tmp" /tmp || exit 1
        exec "$@"' sh "$watch/tmp" "${#inside[@]}" "${pairs[@]}" "$@"
else
    echo "watched.sh: no private mount namespace here; watching TMPDIR instead of /tmp"
    HOME=$watch/home TMPDIR=$watch/tmp "$@"
fi
status=$?
# Remove the mount points' folders again; a folder a test filled stays and is reported below.
for path in "${inside[@]}"; do
    while [ -n "$path" ] && [ "$path" != . ]; do
        rmdir "$watch/tmp/$path" 2>/dev/null || break
        path=$(dirname "$path")
    done
done
left=$(cd "$watch" && find tmp home -mindepth 1 -maxdepth 3)
if [ -n "$left" ]; then
    echo "watched.sh: left outside the test sandboxes:"
    echo "$left" | head -40
    status=1
fi
rm -rf "$watch"
exit $status
