#!/bin/sh
# Runs a test command in a sandbox folder of its own under ROOT, removed afterwards, so that no test reaches the
# real home or /tmp and parallel tests never share a file: test_sandbox.sh ROOT COMMAND [ARG...]
root=$1
shift
case $root in /*) ;; *) root=$PWD/$root ;; esac
mkdir -p "$root" || exit 1
box=$(mktemp -d "$root/test.XXXXXX") || exit 1
mkdir -p "$box/home/Documents" "$box/tmp" "$box/config" && mkdir -m 700 "$box/runtime" || exit 1
HOME=$box/home TMPDIR=$box/tmp XDG_DOCUMENTS_DIR=$box/home/Documents XDG_CONFIG_HOME=$box/config \
    XDG_RUNTIME_DIR=$box/runtime "$@"
status=$?
chmod -R u+rwx "$box" 2>/dev/null
rm -rf "$box"
exit $status
