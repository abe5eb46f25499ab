#!/usr/bin/env bash
# The main job on the example songs in Data/: compile them, draw their lead sheets, perform each
# with a band into a MIDI file and render it into a WAV file, all in out/, and show what the
# band played. The bossa nova goes to the Brazilian trio; the other songs to the band of
# ./Zimbrel.ini (the Zimbrel Trio unless the settings say otherwise). Last, a picture of the
# desktop program with the example song.
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."
cli="$build/cli/zimbrel-cli"
mkdir -p out

band_for() {  # song: sets the array `band` to the band options for it
  band=()
  [ "$(basename "$1")" = SaltBreeze.zimbrel ] && band=(--band "Brazilian Trio")
  return 0
}

echo "== Compiling the example songs in Data/"
"$cli" compile Data/*.zimbrel

echo
echo "== Lead sheets, as PDF"
for song in Data/*.zimbrel; do
  "$cli" chart "$song" -o "out/$(basename "$song" .zimbrel).pdf"
done

echo
echo "== Performances: a MIDI file and what was played (the listing) for every song"
for song in Data/*.zimbrel; do
  name=$(basename "$song" .zimbrel)
  band_for "$song"
  "$cli" midi "$song" -o "out/$name.midi" --listing "${band[@]}" > "out/$name.listing.txt"
  echo "out/$name.midi  (what was played: out/$name.listing.txt)"
done

echo
echo "== The same performances rendered to audio by the built-in synthesizer"
for song in Data/*.zimbrel; do
  band_for "$song"
  "$cli" audio "$song" -o "out/$(basename "$song" .zimbrel).wav" "${band[@]}"
done

echo
echo "== Which scale goes with which chord in Data/Example.zimbrel"
"$cli" analyze Data/Example.zimbrel

echo
echo "== The desktop program with Data/Example.zimbrel"
"$build/gui/zimbrel" --screenshot out/zimbrel.png --size 1280x800 Data/Example.zimbrel
echo "out/zimbrel.png"

echo
echo "Everything is in out/. Listen with any player (out/*.wav), open the lead sheets (out/*.pdf),"
echo "play a song on the sound card: $cli play Data/BackPorchBlues.zimbrel, or start the desktop"
echo "program: make run"
