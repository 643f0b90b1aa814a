#!/usr/bin/env bash
# Runs a command with /tmp and HOME watched and fails if it fails or leaves anything in either:
# watched.sh FOLDER COMMAND [ARG...]. /tmp is a private empty folder (FOLDER/tmp, in a mount namespace of the
# command's own where the system allows one, else TMPDIR), HOME is FOLDER/home. A checkout that itself lives
# under /tmp is bound back into the private /tmp at its own path, so the command still finds it.
set -uo pipefail
watch=$1
shift
rm -rf "$watch"
mkdir -p "$watch/tmp" "$watch/home" || exit 1
watch=$(cd "$watch" && pwd)
top=$(cd "$(dirname "$0")/.." && pwd -P)
# The part of the checkout's path below /tmp, if any: recreated inside the private /tmp as a mount point.
inside=""
case $top in /tmp/?*) inside=${top#/tmp/} ;; esac
if unshare --mount true 2>/dev/null; then
    [ -n "$inside" ] && { mkdir -p "$watch/tmp/$inside" || exit 1; }
    # The checkout is bound first, while both paths are still visible; the recursive bind then carries it along.
    HOME=$watch/home unshare --mount sh -c '
        if [ -n "$2" ]; then mount --bind "$1" "$3/$2" || exit 1; fi
        mount --rbind "$3" /tmp || exit 1
        shift 3
        exec "$@"' sh "$top" "$inside" "$watch/tmp" "$@"
else
    echo "watched.sh: no private mount namespace here; watching TMPDIR instead of /tmp"
    HOME=$watch/home TMPDIR=$watch/tmp "$@"
fi
status=$?
if [ -n "$inside" ]; then
    # Remove the mount point's folders again; a folder a test filled stays and is reported below.
    path=$inside
    while [ -n "$path" ] && [ "$path" != . ]; do
        rmdir "$watch/tmp/$path" 2>/dev/null || break
        path=$(dirname "$path")
    done
fi
left=$(cd "$watch" && find tmp home -mindepth 1 -maxdepth 3)
if [ -n "$left" ]; then
    echo "watched.sh: left outside the test sandboxes:"
    echo "$left" | head -40
    status=1
fi
rm -rf "$watch"
exit $status
