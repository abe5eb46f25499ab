#!/usr/bin/env bash
# Rewrites the reference outputs that the golden tests compare with, from the current build.
# Review every change to them like a change to the code.
#   tests/data/songs/NAME.bars    the Bars listing of a test song that compiles
#   tests/data/examples/NAME.bars the same for the example songs in Data/
#   tests/data/settings/defaults.ini  the settings file written from defaults
#   tests/data/chart/*.txt        the drawing primitives of a few charts (record_chart)
#   tests/data/performance/strict.golden  size and hash of the strict feel's MIDI files
#   tests/data/midi-writer.dump   the MIDI writer's files, event by event
#   tests/data/net/conversations/*.log  what the network pane logs and sends in each conversation
#   tests/data/musicxml/*         MusicXML scores of a few songs (musicxml_tool)
#   tests/data/ireal/expected/*   what the iReal test playlists import to (ireal_tool)
# Songs with a NAME.error reference are broken on purpose; their references are written by hand.
set -euo pipefail
cd "$(dirname "$0")/.."
cli=${1:-build/cli/zimbrel-cli}
recorder=${2:-build/tests/chart/record_chart}
performance_tests=${3:-build/tests/performance/performance_tests}
tests=${performance_tests%/performance/performance_tests}

bars() {  # song, reference
  "$cli" compile --bars "$1" | tail -n +2 > "$2"
}

for song in tests/data/songs/*.zimbrel; do
  name=$(basename "$song" .zimbrel)
  [ -f "tests/data/songs/$name.error" ] || bars "$song" "tests/data/songs/$name.bars"
done
for song in Data/*.zimbrel; do
  bars "$song" "tests/data/examples/$(basename "$song" .zimbrel).bars"
done
"$cli" analyze Data/Example.zimbrel > tests/data/examples/Example.analysis

# The settings file as written from defaults, rebuilt from the listing of a folder without one.
empty=$(mktemp -d)
"$cli" --workdir "$empty" config | awk '{
  dot = index($0, "."); section = substr($0, 1, dot - 1); entry = substr($0, dot + 1)
  if (section != last) { printf "[%s]\r\n", section; last = section }
  printf "%s\r\n", entry
}' > tests/data/settings/defaults.ini
rmdir "$empty"

# The performance listing of the example song (the listing does not depend on the random choices).
played=$(mktemp -d)
"$cli" midi Data/Example.zimbrel -o "$played/Example.midi" --precount 1 --repeats 2 --listing |
  head -c -1 > tests/data/examples/Example.listing
"$cli" midi tests/data/examples/Breaks.zimbrel -o "$played/Breaks.midi" --precount 2 --repeats 1 --listing |
  head -c -1 > tests/data/examples/Breaks.listing
rm -rf "$played"

# Charts as the chart view draws them: SONG PAGE (0: the screen view) SEMITONES LISTING.
mkdir -p tests/data/chart
while read -r song page semitones listing; do
  "$recorder" "$PWD/$song" "$page" "$semitones" > "tests/data/chart/$listing"
done <<'CHARTS'
Data/Example.zimbrel 1 0 Example.page1.txt
Data/WinterLamp.zimbrel 0 0 WinterLamp.screen.txt
tests/data/songs/melody.zimbrel 1 0 melody.page1.txt
tests/data/songs/volta.zimbrel 1 0 volta.page1.txt
tests/data/songs/signs.zimbrel 1 2 signs.bflat.page1.txt
tests/data/songs/layout.zimbrel 1 0 layout.page1.txt
tests/data/songs/long.zimbrel 0 0 long.screen.txt
tests/data/songs/long.zimbrel 2 0 long.page2.txt
CHARTS

# Files the tests write themselves when ZIMBREL_WRITE_GOLDEN is set. The strict feel's
# performances: regenerate only when a change to them is meant.
export ZIMBREL_WRITE_GOLDEN=1
"$performance_tests" --gtest_filter='StrictFeel.*' >/dev/null
"$tests/midi/midi_tests" --gtest_filter='MidiWriter.FilesMatchTheReviewedDumps' >/dev/null
QT_QPA_PLATFORM=offscreen "$tests/app/app_tests" \
  --gtest_filter='NetworkPane.ConversationsMatchTheReviewedLogs' >/dev/null
unset ZIMBREL_WRITE_GOLDEN
# MusicXML scores: SONG SEMITONES FILE (tests/data/musicxml).
musicxml=${recorder%/chart/record_chart}/interchange/musicxml_tool
mkdir -p tests/data/musicxml
while read -r song semitones file; do
  "$musicxml" "$song" "$semitones" > "tests/data/musicxml/$file"
done <<'SCORES'
Data/Example.zimbrel 0 Example.musicxml
Data/WinterLamp.zimbrel 0 WinterLamp.musicxml
tests/data/songs/volta.zimbrel 0 volta.musicxml
tests/data/songs/signs.zimbrel 2 signs.bflat.musicxml
tests/data/songs/melody.zimbrel 0 melody.musicxml
SCORES

# What the iReal playlists of tests/data/ireal import to, song by song.
mkdir -p tests/data/ireal/expected
for file in tests/data/ireal/playlist.html tests/data/ireal/link.txt; do
  "${recorder%/chart/record_chart}/interchange/ireal_tool" "$file" tests/data/ireal/expected
done
