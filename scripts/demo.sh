#!/usr/bin/env bash
# The main job on the example songs in Data/: whatever of it is built so far, said plainly.
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."
cli="$build/cli/zimbrel-cli"
mkdir -p out

echo "== Compiling the example songs in Data/"
"$cli" compile Data/*.zimbrel

echo
echo "== The measures of Data/Example.zimbrel, as the performance listing shows them"
"$cli" compile --bars Data/Example.zimbrel | tail -n +2

echo
echo "== Which scale goes with which chord in Data/Example.zimbrel"
"$cli" analyze Data/Example.zimbrel

echo "Built so far: the song compiler and the chord-scale analysis. Performing (MIDI, audio) and"
echo "drawing lead sheets come next."
