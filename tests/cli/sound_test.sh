#!/usr/bin/env bash
# zimbrel-cli play, ports and audio (zimbrel-cli-sound), tried as a new user would, in a fresh working folder. On a
# machine without a sound card (CI) play must say so clearly and at once; where there is sound,
# it plays and Ctrl-C stops it cleanly.
set -u
cli=$1
source_dir=$2
. "$(dirname "$0")/common.sh"
cp -r "$source_dir/Data" "$work/Data"
cd "$work"

# ports: the built-in synthesizer first, marked as the one play uses.
run ports 0 "$cli" ports
[ "$(head -1 out)" = "* 0 Built-in synthesizer" ] || fail "ports: $(head -1 out)"
if [ ! -e /dev/snd/seq ]; then
  [ "$(wc -l <out)" -eq 1 ] || fail "ports: more than the built-in synthesizer without a sequencer"
  contains "ports: no word on the sequencer" err "this machine has no ALSA sequencer (/dev/snd/seq)"
fi
"$cli" config Preferences.MidiOutPort "Gone Synth" >/dev/null
"$cli" ports >out 2>/dev/null
[ "$(head -1 out)" = "* 0 Built-in synthesizer" ] || fail "ports: an unknown stored port must select entry 0"

# play: either it cannot open a sound output and says why at once, or it plays until Ctrl-C.
start=$(date +%s%N)
timeout --preserve-status -k 10 -s INT 3 "$cli" play Data/Example.zimbrel --seed 5 >out 2>err
status=$?
elapsed_ms=$(( ($(date +%s%N) - start) / 1000000 ))
[ -s Data/Example.zimbrel.midi ] || fail "play: no MIDI file beside the song"
if [ "$status" -eq 1 ]; then
  grep -q "^Data/Example.zimbrel: Error : Cannot play 'Example'\. No sound output could be opened (.*ALSA: " err ||
    fail "play without sound: message: $(cat err)"
  contains "play without sound: no hint" err "zimbrel-cli audio Data/Example.zimbrel -o Example.wav"
  [ "$elapsed_ms" -lt 2500 ] || fail "play without sound took $elapsed_ms ms"
elif [ "$status" -eq 0 ]; then
  grep -q "^Data/Example.zimbrel: Playing 'Example' with Zimbrel Trio on Built-in synthesizer" out || fail "play: $(cat out)"
  grep -q "^Data/Example.zimbrel: Stopped 'Example'" out || fail "play: Ctrl-C did not stop cleanly: $(cat out)"
else
  fail "play: exit status $status (137: it did not stop on Ctrl-C): $(cat err)"
fi
run "play: a port beyond the list" 2 "$cli" play Data/Example.zimbrel --port 9
contains "play: port message" err "no MIDI output port '9'; the ports are 0 Built-in synthesizer"
run "play: no instrument" 1 "$cli" play Data/Example.zimbrel --no-piano --no-bass --no-drums
grep -qx "Data/Example.zimbrel: Error : Cannot create MIDI file 'Example'." err || fail "play: no instrument: $(cat err)"

# audio: a song of known length. At 120 a minute a measure lasts two seconds: the count-in and
# eight bars take 18 s, the band's closing hit one beat more.
cat >Eight.zimbrel <<'SONG'
title { Eight }
misc { tempo = 120; repeat = 1; precount = 1; }
chord { Cmaj7 | Am7 | Dm7 | G7 || Em7 | A7 | Dm7 G7 | C6 || }
SONG
run audio 0 "$cli" audio Eight.zimbrel -o eight.wav --seed 3
grep -qx "Eight.zimbrel: 'Eight' played by Zimbrel Trio into eight.wav" out || fail "audio: $(cat out)"
[ "$(head -c 4 eight.wav)" = "RIFF" ] || fail "audio: not a WAV file"
[ -e Eight.zimbrel.midi ] && fail "audio: left a MIDI file beside the song"
data_bytes=$(od -An -tu4 -j40 -N4 eight.wav | tr -d ' ')
# 44,100 frames a second of 16-bit stereo: 176,400 bytes; 18.5 s, within a beat (0.5 s).
[ "$data_bytes" -ge $((18 * 176400)) ] && [ "$data_bytes" -le $((19 * 176400)) ] ||
  fail "audio: $data_bytes bytes of sound, not 18.5 s"
# The loudest sample of a 16-bit WAV file and the energy of its left and right channels.
levels() {
  od -An -td2 -v -j44 "$1" | tr -s ' ' '\n' |
    awk 'NF { n++; e = $1 * $1; if (n % 2) l += e; else r += e; v = $1 < 0 ? -$1 : $1; if (v > m) m = v }
         END { printf "%d %.0f %.0f\n", m, l, r }'
}
read -r loudest _ _ < <(levels eight.wav)
[ "$loudest" -gt 3000 ] || fail "audio: silent (loudest sample $loudest)"
[ "$loudest" -lt 32767 ] || fail "audio: a sample at full scale"
# The natural feel sounds, without reaching full scale either.
"$cli" audio Eight.zimbrel -o natural.wav --seed 3 --feel natural >/dev/null 2>&1 || fail "audio: natural feel"
read -r loudest _ _ < <(levels natural.wav)
[ "$loudest" -gt 3000 ] && [ "$loudest" -lt 32767 ] || fail "audio: natural feel, loudest sample $loudest"

# The mixer reaches the synthesizer: the drums alone at volume 0 leave only the dither's last bit;
# panned to one side, most of their energy is in that channel (the reverb returns on both).
"$cli" audio Eight.zimbrel -o quiet.wav --seed 3 --no-piano --no-bass --volume drums=0 >/dev/null 2>&1
read -r loudest _ _ < <(levels quiet.wav)
[ "$loudest" -le 1 ] || fail "audio: the drums at volume 0 sound (loudest sample $loudest)"
for side in -64 63; do
  "$cli" config Mixer.DrumsPan "$side" >/dev/null
  "$cli" audio Eight.zimbrel -o side.wav --seed 3 --no-piano --no-bass >/dev/null 2>&1
  read -r _ left right < <(levels side.wav)
  if [ "$side" -lt 0 ]; then near=$left far=$right; else near=$right far=$left; fi
  [ "$near" -gt $((3 * far)) ] || fail "audio: drums panned to $side give left $left, right $right"
done
"$cli" config Mixer.DrumsPan 20 >/dev/null

# One seed, one sound: twenty exports, each a process of its own, give the same bytes.
cat >Two.zimbrel <<'SONG'
misc { tempo = 240; repeat = 1; precount = 0; }
chord { Dm7 G7 | Cmaj7 || }
SONG
for take in $(seq 20); do
  "$cli" audio Two.zimbrel -o take$take.wav --seed 9 >/dev/null 2>&1 || fail "audio: take $take failed"
  cmp -s take1.wav take$take.wav || fail "audio: take $take differs from take 1"
done

cp eight.wav before.wav
run "audio: missing SoundFont" 1 "$cli" audio Eight.zimbrel -o eight.wav --soundfont none.sf2
[ "$(cat err)" = "Eight.zimbrel: Error : Cannot create audio file 'Eight'. The SoundFont 'none.sf2' cannot be read: No such file or directory." ] || fail "audio: SoundFont message: $(cat err)"
cmp -s eight.wav before.wav || fail "audio: a failed export changed the existing file"
run "audio: unwritable folder" 1 "$cli" audio Eight.zimbrel -o no/such/folder/x.wav
contains "audio: unwritable message" err "Cannot write the audio file 'no/such/folder/x.wav'"
run "audio: two songs as FLAC" 0 "$cli" audio Eight.zimbrel Data/Example.zimbrel -o recordings --format flac --no-piano
[ "$(head -c 4 recordings/Eight.flac)" = "fLaC" ] && [ "$(head -c 4 recordings/Example.flac)" = "fLaC" ] ||
  fail "audio: not two FLAC files"

finish zimbrel-cli play, ports and audio
