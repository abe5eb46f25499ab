#!/usr/bin/env bash
# The main job on the example songs in Data/: compile them, perform each with the band into a
# MIDI file and a WAV file in out/, draw their lead sheets, and show what the band played.
# Whatever is not built yet is said plainly.
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."
cli="$build/cli/zimbrel-cli"
mkdir -p out

echo "== Compiling the example songs in Data/"
"$cli" compile Data/*.zimbrel

echo
echo "== Performing every song into out/ (standard MIDI files)"
for song in Data/*.zimbrel; do
  name=$(basename "$song" .zimbrel)
  "$cli" midi "$song" -o "out/$name.midi" --listing > "out/$name.listing.txt"
  echo "out/$name.midi  (what was played: out/$name.listing.txt)"
done

echo
echo "== Rendering every song into out/ (WAV files, played by the built-in synthesizer)"
for song in Data/*.zimbrel; do
  name=$(basename "$song" .zimbrel)
  "$cli" audio "$song" -o "out/$name.wav"
done

echo
echo "== Which scale goes with which chord in Data/Example.zimbrel"
"$cli" analyze Data/Example.zimbrel

echo
echo "== Lead sheets of the example songs, as PDF in out/"
for song in Data/*.zimbrel; do
  "$cli" chart "$song" -o "out/$(basename "$song" .zimbrel).pdf"
done

echo "Built so far: the song compiler, the performance engine, MIDI and audio files, playback"
echo "(zimbrel-cli play FILE; zimbrel-cli ports) and the lead sheets."
