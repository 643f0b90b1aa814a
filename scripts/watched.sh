#!/usr/bin/env bash
# Runs a command with /tmp and HOME watched and fails if it fails or leaves anything in either:
# watched.sh FOLDER COMMAND [ARG...]. /tmp is a private empty folder (FOLDER/tmp, in a mount namespace of the
# command's own where the system allows one, else TMPDIR), HOME is FOLDER/home.
set -uo pipefail
watch=$1
shift
rm -rf "$watch"
mkdir -p "$watch/tmp" "$watch/home" || exit 1
watch=$(cd "$watch" && pwd)
if unshare --mount true 2>/dev/null; then
    HOME=$watch/home unshare --mount sh -c 'mount --bind "$0" /tmp && exec "$@"' "$watch/tmp" "$@"
else
    echo "watched.sh: no private mount namespace here; watching TMPDIR instead of /tmp"
    HOME=$watch/home TMPDIR=$watch/tmp "$@"
fi
status=$?
left=$(cd "$watch" && find tmp home -mindepth 1 -maxdepth 3)
if [ -n "$left" ]; then
    echo "watched.sh: left outside the test sandboxes:"
    echo "$left" | head -40
    status=1
fi
rm -rf "$watch"
exit $status
