#!/usr/bin/env bash
# The main job on the example songs: whatever of it is built so far, said plainly.
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."
mkdir -p out
cli="$build/cli/zimbrel-cli"
if [ ! -x "$cli" ]; then
  echo "Only the core libraries are built so far; the song compiler and zimbrel-cli come next."
  exit 0
fi
