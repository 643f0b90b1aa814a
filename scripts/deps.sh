#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the programs need (idempotent).
# Package lists live in scripts/deps.d/*.txt, one per area; "--bench" adds deps.d/bench/*.txt.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
lists=("$here"/deps.d/*.txt)
if [ "${1:-}" = "--bench" ]; then lists+=("$here"/deps.d/bench/*.txt); fi
wanted=$(cat "${lists[@]}" 2>/dev/null | sed 's/#.*//' | tr -s ' \t' '\n' | sed '/^$/d' | sort -u)
missing=()
for p in $wanted; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then missing+=("$p"); fi
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "deps.sh: installing ${missing[*]}"
SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
