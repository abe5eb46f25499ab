#!/usr/bin/env bash
# Starts the desktop program from the build, working in this checkout (its Data/ and Zimbrel.ini),
# with any arguments passed on (a song, --no-splash ...).
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."
exec "$build/gui/zimbrel" "${@:2}"
