#!/usr/bin/env bash
# zimbrel-cli midi, bands and musician, run as a user would, in a fresh working folder.
set -u
cli=$1
source_dir=$2
. "$(dirname "$0")/common.sh"
cp -r "$source_dir/Data" "$work/Data"
cd "$work"

for song in Data/*.zimbrel; do
  "$cli" midi "$song" --seed 7 >out 2>err || fail "$song: exit status $?"
  [ -s err ] && fail "$song: errors: $(cat err)"
  [ "$(head -c 4 "$song.midi")" = "MThd" ] || fail "$song: no MIDI file beside the song"
  # Tempo, bass, piano and drum tracks.
  [ "$(od -An -tx1 -j10 -N2 "$song.midi" | tr -d ' ')" = "0004" ] || fail "$song: track count"
done
grep -q "'WinterLamp' played by Zimbrel Trio into Data/WinterLamp.zimbrel.midi" out ||
  fail "confirmation line: $(cat out)"

"$cli" midi Data/Example.zimbrel -o a.midi --seed 42 >/dev/null
"$cli" midi Data/Example.zimbrel -o b.midi --seed 42 >/dev/null
"$cli" midi Data/Example.zimbrel -o c.midi --seed 43 >/dev/null
cmp -s a.midi b.midi || fail "the same seed gave different files"
cmp -s a.midi c.midi && fail "another seed gave the same file"

"$cli" midi Data/Example.zimbrel -o listed.midi --listing --precount 2 >out
for text in "Bars" "Progression" "Chord Sequence" "***** Label B *****" "Precount : 2"; do
  grep -qF -- "$text" out || fail "listing lacks '$text'"
done

"$cli" midi Data/Example.zimbrel --no-piano --no-bass --no-drums 2>err
[ $? -eq 1 ] || fail "no instrument: exit status"
grep -qx "Error : Cannot create MIDI file 'Example'." err || fail "no instrument: message"
"$cli" midi Data/Example.zimbrel -o no/such/folder/x.midi 2>err
[ $? -eq 1 ] || fail "unwritable output: exit status"
grep -qx "Error : Cannot create MIDI file 'Example'." err || fail "unwritable output: message"
"$cli" midi Data/Example.zimbrel --band "Swing Ten" 2>err
[ $? -eq 2 ] || fail "unknown band: exit status"
grep -q "Ashgrove Trio, Brazilian Trio" err || fail "unknown band: the bands are not named"
"$cli" midi Data/Example.zimbrel --tempo 20 2>/dev/null; [ $? -eq 2 ] || fail "tempo out of range"
"$cli" midi Data/Example.zimbrel --repeats 12 2>err; [ $? -eq 2 ] || fail "repeats out of range"
grep -qF "from 1 to 11, not '12'" err || fail "repeats: the range is not named: $(cat err)"
"$cli" midi Data/Example.zimbrel --repeats 2>/dev/null; [ $? -eq 2 ] || fail "option without value"
"$cli" midi 2>/dev/null; [ $? -eq 2 ] || fail "no file"
"$cli" midi "$source_dir/tests/data/songs/syntax_error.zimbrel" -o x.midi 2>err
[ $? -eq 1 ] || fail "broken song: exit status"
grep -q "parse error" err || fail "broken song: message"

# An output file that is the song itself, under any name, is refused by every command that
# writes, and the song stays as it was.
cp Data/Example.zimbrel Song.zimbrel
ln -s Song.zimbrel sheet.pdf
ln -s Song.zimbrel take.wav
for args in "midi Song.zimbrel -o ./Song.zimbrel" "chart Song.zimbrel -o sheet.pdf" \
            "audio Song.zimbrel -o take.wav"; do
  "$cli" $args 2>err; check "$args" 2 $?
  grep -q "is the song itself; name another output file" err || fail "$args: $(cat err)"
  cmp -s Song.zimbrel Data/Example.zimbrel || fail "$args: the song was changed"
done

# A performance longer than Zimbrel plays is refused before it is made, with the reason.
{ printf 'chord {'; for i in $(seq 2000); do printf ' C7 |'; done; echo ' }'; } >Long.zimbrel
"$cli" midi Long.zimbrel --repeats 11 2>err; check "a form too long" 1 $?
grep -qx "The performance would be longer than 20000 measures, more than Zimbrel plays." err ||
  fail "a form too long: $(cat err)"
[ -e Long.zimbrel.midi ] && fail "a form too long: a MIDI file was written"

# The band and the instruments come from ./Zimbrel.ini.
"$cli" config Preferences.Band "Brazilian Trio" >/dev/null
"$cli" config Preferences.Drums 0 >/dev/null
"$cli" midi Data/SaltBreeze.zimbrel -o bossa.midi --precount 0 >out  # no count-in track
grep -q "played by Brazilian Trio" out || fail "band from the settings: $(cat out)"
[ "$(od -An -tx1 -j10 -N2 bossa.midi | tr -d ' ')" = "0003" ] || fail "drums switched off in the settings"

"$cli" bands >out
[ "$(head -1 out)" = "Ashgrove Trio: Tolsen (bass), Falder (piano), Pelko (drums)" ] ||
  fail "bands: $(head -1 out)"
[ "$(wc -l <out)" -eq 5 ] || fail "five bands"
"$cli" musician falder >out
[ "$(head -1 out)" = "Falder (piano): 296 phrase patterns" ] || fail "musician: $(head -1 out)"
"$cli" musician Tolsen --patterns >out
grep -q "  #29 BassPedal, 96 ticks, weight 9, shifts -48..48, tempo 20-400: 0:36/79/0x11" out ||
  fail "pattern listing"
"$cli" musician Nobody 2>err; [ $? -eq 2 ] || fail "unknown musician"
grep -q "Dalmo, Falder" err || fail "unknown musician: the musicians are not named"

if command -v fluidsynth >/dev/null && [ -f /usr/share/sounds/sf2/TimGM6mb.sf2 ]; then
  timeout 120 fluidsynth -ni -F played.wav -r 22050 /usr/share/sounds/sf2/TimGM6mb.sf2 a.midi >/dev/null 2>&1
  [ "$(stat -c %s played.wav 2>/dev/null || echo 0)" -gt 1000000 ] || fail "fluidsynth did not play the file"
fi

finish zimbrel-cli midi, bands and musician
