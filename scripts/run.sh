#!/usr/bin/env bash
# Starts the desktop program, or says what exists while it is not built yet.
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."
if [ -x "$build/gui/zimbrel" ]; then
  exec "$build/gui/zimbrel" "${@:2}"
fi
echo "The desktop program is not built yet; use $build/cli/zimbrel-cli --help for what exists."
