#!/usr/bin/env bash
# zimbrel-cli as a user runs it, one table over the commands: the arguments, the exit status and
# the first line of standard error; then the checks a table cannot hold: reference listings,
# MIDI files, the settings file's bytes, the lead sheet's texts and files of several songs.
set -u
cli=$1
source_dir=$2
. "$(dirname "$0")/common.sh"
cp -r "$source_dir/Data" "$work/Data"
mkdir "$work/home" && chmod 777 "$work/home"
cd "$work"
# As on a desktop without a display server: chart must choose the offscreen platform.
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

# Charts for the warnings: each one that warns beside one written as its writer meant it.
chart() {  # name, chord block, more blocks
  printf 'title { %s }\n%s\nchord {\n  %s\n}\n' "$1" "${3:-}" "$2" >"$1.zimbrel"
}
chart slash 'D7/F# G | C ||'
chart slash_ok 'D7onF# G | D7 / F# / | C ||'
chart split 'Cadd9 | Dm7G7 ||'
chart split_ok 'C9 | Dm7 G7 | C7 B ||'
chart crowded 'C D E F G | C ||'
chart crowded_ok 'C D E F | C / / / ||'
chart trailing 'C | F'
chart section 'labelA: C | F ||' 'progression { theme structure = A B; intro A B }'
chart section_ok 'intro: C | labelA: C | labelB: F ||' 'progression { theme structure = A B; intro A B }'
chart open_repeat '|: C | F ||'
chart lone_end 'C | F :| G ||'
chart repeat_ok '|: C | F :| G ||'
chart waltz 'C | F ||' 'time base { 3/4 }'
chart common 'C | F ||' 'time base { 4/4 }'
printf 'title { Typo }\nmisc { tempoo = 140; }\nchord { C ||\n}\n' >typo.zimbrel
printf 'chrod { C ||\n}\n' >keyword.zimbrel
# A song to write over under other names, and a form longer than a performance may be.
cp Data/Example.zimbrel Song.zimbrel && ln -s Song.zimbrel sheet.pdf && ln -s Song.zimbrel take.wav
{ printf 'chord {'; for i in $(seq 2000); do printf ' C7 |'; done; echo ' }'; } >Long.zimbrel
broken=$source_dir/tests/data/songs/syntax_error.zimbrel
echo "nothing here" >plain.txt

# status | first line of standard error ('' none; * matches any text) | arguments
while read -r row; do
  [[ -z $row || $row == \#* ]] && continue
  [[ $row =~ ^([0-9])\ \|(.*)\|\ ?(.*)$ ]] || { fail "a row of the table: $row"; continue; }
  status=${BASH_REMATCH[1]}
  first=${BASH_REMATCH[2]# }
  first=${first% }
  arguments=" ${BASH_REMATCH[3]}"
  eval "args=($arguments)"
  (cd "$work" && "$cli" "${args[@]}") >"$work/out" 2>"$work/err"
  actual=$?
  line=$(head -n 1 "$work/err")
  [ "$actual" = "$status" ] || fail "zimbrel-cli$arguments: exit status $actual, expected $status ($line)"
  # shellcheck disable=SC2053
  [[ $line == $first ]] || fail "zimbrel-cli$arguments: standard error '$line', expected '$first'"
done <<TABLE
# Usage of the program and of each command.
0 | | --version
0 | | --help
2 | zimbrel-cli: no command given | 
2 | zimbrel-cli: unknown command 'sing' | sing
2 | zimbrel-cli: The following argument was not expected: --frobnicate | --frobnicate
1 | zimbrel-cli: cannot work in 'nowhere': No such file or directory | --workdir nowhere compile Data/Example.zimbrel
0 | | --workdir Data compile Example.zimbrel
2 | zimbrel-cli: help: no command 'sing' | help sing
2 | zimbrel-cli: compile: FILE is required | compile
2 | zimbrel-cli: compile: The following argument was not expected: --frobnicate | compile --frobnicate x.zimbrel
2 | zimbrel-cli: analyze: The following argument was not expected: Data/TwoRoads.zimbrel | analyze Data/Example.zimbrel Data/TwoRoads.zimbrel
2 | zimbrel-cli: midi: --repeats: takes a whole number from 1 to 11, not '12' | midi Data/Example.zimbrel --repeats 12
2 | zimbrel-cli: midi: --tempo: takes a whole number from 30 to 360, not '20' | midi Data/Example.zimbrel --tempo 20
2 | zimbrel-cli: midi: --repeats: * | midi Data/Example.zimbrel --repeats
2 | zimbrel-cli: midi: --feel: takes strict|natural, not 'loose' | midi Data/Example.zimbrel --feel loose
2 | zimbrel-cli: audio: --volume: bass takes a whole number from 0 to 127, not '200' | audio Data/Example.zimbrel -o x.wav --volume bass=200
2 | zimbrel-cli: play: --volume: 'cello=3' is not piano=N, bass=N or drums=N | play Data/Example.zimbrel --volume cello=3
2 | zimbrel-cli: midi: no band 'Swing Ten'; the bands are Ashgrove Trio, Brazilian Trio, Great Trio, Norvane Trio, Zimbrel Trio | midi Data/Example.zimbrel --band 'Swing Ten'
2 | zimbrel-cli: chart: no output given (-o OUT.pdf, OUT.png or OUT.svg, or a folder) | chart Data/Example.zimbrel
2 | zimbrel-cli: chart: the output file must end in .pdf, .png or .svg | chart Data/Example.zimbrel -o x.txt
2 | zimbrel-cli: chart: --dpi is for PNG images | chart Data/Example.zimbrel -o x.pdf --dpi 300
2 | zimbrel-cli: chart: --dpi: takes a whole number from 10 to 600, not '5000' | chart Data/Example.zimbrel -o x.png --dpi 5000
2 | zimbrel-cli: chart: --transpose: takes a whole number from -7 to 7, not '9' | chart Data/Example.zimbrel -o x.png --transpose 9
2 | zimbrel-cli: chart: --key: takes concert|bb|eb|user|number, not 'alto' | chart Data/Example.zimbrel -o x.png --key alto
2 | zimbrel-cli: chart: --chord-style: takes 0|1|2|3, not '4' | chart Data/Example.zimbrel -o x.png --chord-style 4
2 | zimbrel-cli: chart: --page and --screen do not go together: * | chart Data/Example.zimbrel -o x.png --page 2 --screen
2 | zimbrel-cli: audio: -o OUT names the audio file (.wav, .flac or .ogg), or a folder | audio Data/Example.zimbrel
2 | zimbrel-cli: audio: 'x.mp3' is not a .wav, .flac or .ogg file | audio Data/Example.zimbrel -o x.mp3
2 | zimbrel-cli: play: The following argument was not expected: Data/TwoRoads.zimbrel | play Data/Example.zimbrel Data/TwoRoads.zimbrel
2 | zimbrel-cli: ports: The following argument was not expected: extra | ports extra
2 | zimbrel-cli: bands: The following argument was not expected: extra | bands extra
2 | zimbrel-cli: musician: no musician 'Nobody'; the musicians are Dalmo, Falder, Garvel, Ostrin, Pelko, Quenby, Ruvane, Tolsen, Vashti | musician Nobody
2 | zimbrel-cli: net: ACTION is required | net
2 | zimbrel-cli: net: unknown action 'sing' | net sing
2 | zimbrel-cli: net: --server needs HOST or HOST:PORT, not 'host:99999' | net --server host:99999 list
2 | zimbrel-cli: net: register needs USERID EMAIL PASSWORD | net register a b
2 | zimbrel-cli: export: no output given (-o OUT.musicxml, or a folder) | export Data/Example.zimbrel
2 | zimbrel-cli: export: --key: takes concert|bb|eb|user, not 'number' | export Data/Example.zimbrel -o n.musicxml --key number
2 | zimbrel-cli: songbook: the book is a PDF: the output file must end in .pdf | songbook Data/Example.zimbrel -o book.txt
2 | zimbrel-cli: import: no folder given (-o DIR) | import plain.txt
2 | zimbrel-cli: import: The following argument was not expected: * | import plain.txt other.txt -o Imported
0 | | help
# Songs that cannot be read or compiled; messages start with the song's path.
1 | Data/none.zimbrel: Error : Cannot read 'Data/none.zimbrel': No such file or directory | compile Data/none.zimbrel
1 | typo.zimbrel: Error : line (2) parse error | compile typo.zimbrel
1 | Data/Example.zimbrel: Error : Cannot create MIDI file 'Example'. | midi Data/Example.zimbrel --no-piano --no-bass --no-drums
1 | Data/Example.zimbrel: Error : Cannot create MIDI file 'Example'. | midi Data/Example.zimbrel -o no/such/folder/x.midi
1 | Data/Example.zimbrel: Error : it has 1 page; there is no page 2 | chart Data/Example.zimbrel -o x.png --page 2
1 | Long.zimbrel: Error : Cannot create MIDI file 'Long'. | midi Long.zimbrel --repeats 11
1 | none.html: Error : Cannot read 'none.html': No such file or directory | import none.html -o Imported
1 | plain.txt: Error : it holds no irealb:// or irealbook:// link | import plain.txt -o Imported
# An output that is the song itself, under any name, is refused before anything is written.
2 | zimbrel-cli: midi: './Song.zimbrel' is the song itself; name another output file | midi Song.zimbrel -o ./Song.zimbrel
2 | zimbrel-cli: chart: 'sheet.pdf' is the song itself; name another output file | chart Song.zimbrel -o sheet.pdf
2 | zimbrel-cli: audio: 'take.wav' is the song itself; name another output file | audio Song.zimbrel -o take.wav
2 | zimbrel-cli: export: './Song.zimbrel' is the song itself; name another output file | export Song.zimbrel -o ./Song.zimbrel
2 | zimbrel-cli: songbook: 'sheet.pdf' is the song itself; name another output file | songbook Song.zimbrel -o sheet.pdf
# Warnings, each beside a chart that must not warn; --no-warnings silences them.
0 | slash.zimbrel: warning: line 4: "D7/F#" is read as D7, a beat slash and the chord F#; write D7onF# for D7 over the bass note F# | compile slash.zimbrel
0 | | compile slash_ok.zimbrel split_ok.zimbrel crowded_ok.zimbrel section_ok.zimbrel repeat_ok.zimbrel common.zimbrel
0 | | compile --no-warnings slash.zimbrel
0 | split.zimbrel: warning: line 4: "Cadd9" is read as the 4 chords C, A, D and D9 | compile split.zimbrel
0 | crowded.zimbrel: warning: line 4: 5 chords and beat slashes in one measure: it holds four, so "G" is left out | compile crowded.zimbrel
0 | trailing.zimbrel: warning: line 4: "F" stands after the last bar sign and is left out: * | compile trailing.zimbrel
0 | section.zimbrel: warning: line 2: the progression names the section B, which no chord block has | compile section.zimbrel
0 | open_repeat.zimbrel: warning: line 4: a repeat begin without its repeat end repeats nothing | compile open_repeat.zimbrel
0 | lone_end.zimbrel: warning: line 4: a repeat end without a repeat begin before it repeats nothing | compile lone_end.zimbrel
0 | waltz.zimbrel: warning: line 2: the time base 3/4 is shown, but the trio plays every measure in 4/4 | compile waltz.zimbrel
0 | slash.zimbrel: warning: line 4: "D7/F#" * | midi slash.zimbrel -o slash.midi
0 | | midi --no-warnings slash.zimbrel -o slash.midi
0 | | compile Data/BackPorchBlues.zimbrel Data/Example.zimbrel Data/LateTrain.zimbrel Data/MidnightMinor.zimbrel Data/RhythmAndRain.zimbrel Data/SaltBreeze.zimbrel Data/TwoRoads.zimbrel Data/WinterLamp.zimbrel
# Settings the program could not use are refused, naming what it takes.
2 | zimbrel-cli: config: 'General.Zoom' takes a number from 0.5 to 2.5, not 'large' | --workdir home config General.Zoom large
2 | zimbrel-cli: config: 'Preferences.Piano' takes 0 or 1 (or true/false, on/off, yes/no), not 'maybe' | --workdir home config Preferences.Piano maybe
2 | zimbrel-cli: config: 'Ballad.Repeat1' takes a whole number from 1 to 11, not '12' | --workdir home config Ballad.Repeat1 12
2 | zimbrel-cli: config: 'General.Precount' takes 0 (No precount), 1 (1 measure precount) or 2 (2 measures precount), not '3' | --workdir home config General.Precount 3
2 | zimbrel-cli: config: 'Preferences.Band' takes the name of a band (Ashgrove Trio, Brazilian Trio, Great Trio, Norvane Trio, Zimbrel Trio), not 'Nonexistent Band' | --workdir home config Preferences.Band 'Nonexistent Band'
2 | zimbrel-cli: config: 'Preferences.Band' cannot hold that text * | --workdir home config Preferences.Band $'two\nlines'
2 | zimbrel-cli: config: 'Zoom' is not SECTION.KEY | --workdir home config Zoom
2 | zimbrel-cli: config: The following argument was not expected: extra | --workdir home config General.Zoom 1 extra
TABLE
# A song that does not parse stops every command that reads it, whatever else it is given.
for command in "compile $broken Data/TwoRoads.zimbrel" "analyze $broken" "midi $broken -o x.midi" \
  "chart $broken -o x.png" "export $broken -o x.musicxml" "songbook $broken -o x.pdf"; do
  # shellcheck disable=SC2086
  run "$command" 1 "$cli" $command
  [ "$(head -n 1 err)" = "$broken: Error : line (3) parse error" ] || fail "$command: $(head -n 1 err)"
done
[ -e home/Zimbrel.ini ] && fail "refused values wrote a settings file"
[ -e x.pdf ] && fail "a songbook without songs was written"
cmp -s Song.zimbrel Data/Example.zimbrel || fail "a refused output changed the song"
"$cli" midi Long.zimbrel --repeats 11 2>err
[ "$(sed -n 2p err)" = "The performance would be longer than 20000 measures, more than Zimbrel plays." ] ||
  fail "a form too long: $(cat err)"
[ -e Long.zimbrel.midi ] && fail "a form too long: a MIDI file was written"

# The error's word, line and caret when the scanner stops inside a word.
"$cli" compile typo.zimbrel 2>err
printf '%s\n' 'typo.zimbrel: Error : line (2) parse error' '  Last token : "o"' \
  '  in the word "tempoo":' '  misc { tempoo = 140; }' '              ^' | cmp -s - err ||
  { fail "context of a stop inside a word:"; cat err; }
"$cli" compile keyword.zimbrel 2>err; contains "a misspelt keyword" err '  in the word "chrod":'
"$cli" compile "$broken" 2>err
[ "$(wc -l <err)" = 2 ] || fail "a one-letter word needs no context: $(cat err)"

# Help of every command, on standard output, the same whichever way it is asked for.
for command in compile analyze midi audio play chart ports bands musician config net export songbook import; do
  "$cli" help "$command" >help 2>help.err
  check "help $command" 0 $?
  run "$command --help" 0 "$cli" "$command" --help
  [ -s help ] && cmp -s help out && [ ! -s help.err ] && [ ! -s err ] || fail "help $command: $(cat help.err err)"
done
# Help says what the numbers and kinds mean, with an example.
"$cli" help chart >out
contains "chord styles explained" out "3: symbols"
contains "key kinds explained" out "user: moved by Preferences.UserDefinedKey"
contains "an example" out "Example:"
"$cli" config --help >out
[ "$(grep -c '^  [A-Za-z]*\.[A-Za-z0-9]*=' out)" -eq 67 ] || fail "config help does not name 67 settings"
grep -A1 -xF "  General.PrecountNote=37" out | tail -n 1 | grep -qF "The drum key of the count-in click" ||
  fail "a setting's help: $(grep -A1 -F PrecountNote out)"

# compile: one report line per song on standard output, --bars as the reference.
"$cli" compile Data/*.zimbrel >out
[ "$(wc -l <out)" -eq "$(ls Data/*.zimbrel | wc -l)" ] || fail "not one line per song"
contains "report after the path" out "Data/Example.zimbrel: 'Example' has been compiled successfully"
"$cli" compile --bars Data/Example.zimbrel | tail -n +2 | cmp -s - "$source_dir/tests/data/examples/Example.bars" ||
  fail "--bars differs from the reference"
"$cli" analyze Data/Example.zimbrel | cmp -s - "$source_dir/tests/data/examples/Example.analysis" ||
  fail "analyze differs from its reference"
"$cli" analyze Data/MidnightMinor.zimbrel | head -1 | grep -qx 'Cm7 --> Dorian' || fail "C minor key not used"

# midi: the same seed plays the same notes; several songs go into a folder.
"$cli" midi Data/Example.zimbrel -o a.midi --seed 42 >out
contains "report" out "Data/Example.zimbrel: 'Example' played by Zimbrel Trio into a.midi"
"$cli" midi Data/Example.zimbrel -o b.midi --seed 42 >/dev/null
"$cli" midi Data/Example.zimbrel -o c.midi --seed 43 >/dev/null
cmp -s a.midi b.midi || fail "the same seed gave different files"
cmp -s a.midi c.midi && fail "another seed gave the same file"
# --feel strict is the performance without it, natural keeps to its seed; --mix adds the mixer's
# nine controllers (volume, pan, reverb of bass, piano and drums, at the settings' defaults).
"$cli" midi Data/Example.zimbrel -o strict.midi --seed 42 --feel strict >/dev/null
cmp -s a.midi strict.midi || fail "--feel strict differs from the default performance"
"$cli" midi Data/Example.zimbrel -o natural.midi --seed 42 --feel natural >/dev/null
"$cli" midi Data/Example.zimbrel -o natural2.midi --seed 42 --feel natural >/dev/null
cmp -s natural.midi natural2.midi || fail "--feel natural: the same seed gave different files"
cmp -s a.midi natural.midi && fail "--feel natural played the strict performance"
"$cli" midi Data/Example.zimbrel -o mix.midi --seed 42 --mix >/dev/null
[ $(($(stat -c %s mix.midi) - $(stat -c %s a.midi))) -eq 36 ] || fail "--mix: not nine controllers more"
mix_bytes=$(od -An -tx1 -v mix.midi | tr -d ' \n')
for controllers in 00b1073800b10a4000b15b20 00b2075a00b20a2c00b25b20 00b9077f00b90a5400b95b20; do
  [[ $mix_bytes == *"$controllers"* ]] || fail "--mix: the controllers $controllers are missing"
done
run "several songs into a folder" 0 "$cli" midi Data/*.zimbrel -o songbook --seed 7
[ -s err ] && fail "several songs: nothing on standard error when piped: $(cat err)"
for song in Data/*.zimbrel; do
  midi=songbook/$(basename "$song" .zimbrel).midi
  [ "$(od -An -tx1 -j8 -N4 "$midi" | tr -d ' ')" = "00010004" ] || fail "$midi: not format 1 with four tracks"
done
"$cli" midi Data/Example.zimbrel --listing --precount 2 >out
contains "listing" out "Precount : 2"
[ -s Data/Example.zimbrel.midi ] || fail "no MIDI file beside the song"

# The band and instruments come from ./Zimbrel.ini, the band in any case.
"$cli" --workdir home config Preferences.Band "brazilian trio" && "$cli" --workdir home config Preferences.Drums 0
check "writing settings" 0 $?
cmp -s home/Zimbrel.ini <(printf '[Preferences]\r\nBand=brazilian trio\r\nDrums=0\r\n') ||
  { fail "the settings file:"; od -c home/Zimbrel.ini | head; }
[ "$(stat -c %a home/Zimbrel.ini)" = 600 ] || fail "a new settings file is not private"
"$cli" --workdir home midi ../Data/SaltBreeze.zimbrel -o ../bossa.midi --precount 0 >out
contains "band from the settings" out "played by Brazilian Trio"
[ "$(od -An -tx1 -j10 -N2 bossa.midi | tr -d ' ')" = "0003" ] || fail "drums switched off in the settings"
"$cli" --workdir home config Mine.Colour teal 2>err
contains "unknown key note" err "zimbrel-cli: config: 'Mine.Colour' is not a setting Zimbrel knows"
"$cli" --workdir home config >out 2>/dev/null
[ "$(wc -l <out)" -eq 68 ] || fail "67 settings and one unknown key: $(wc -l <out)"
[ "$(head -n 1 out)" = "Ballad.Tempo1=60" ] && [ "$(tail -n 1 out)" = "Mine.Colour=teal" ] ||
  fail "listing order: $(head -n 1 out) ... $(tail -n 1 out)"
contains "default shown" out "General.Zoom=1.000000"
"$cli" --workdir home config Mine.Missing 2>err; check "an unknown key not in the file" 1 $?
cp home/Zimbrel.ini before.ini
chmod 666 home/Zimbrel.ini && chmod 555 home
run "a read-only folder" 1 as_user "$cli" --workdir home config Preferences.Band "Great Trio"
contains "why" err "zimbrel-cli: config: cannot write ./Zimbrel.ini: Permission denied"
cmp -s home/Zimbrel.ini before.ini || fail "the old settings file changed"
chmod 777 home

# bands and musician.
"$cli" bands >out
[ "$(head -1 out)" = "Ashgrove Trio (swing): Tolsen (bass), Falder (piano), Pelko (drums)" ] || fail "bands: $(head -1 out)"
contains "bossa nova" out "Brazilian Trio (bossa nova): Dalmo (bass), Ruvane (piano), Garvel (drums)"
"$cli" musician falder >out
[ "$(head -1 out)" = "Falder (piano): 296 phrase patterns" ] || fail "musician: $(head -1 out)"
"$cli" musician Tolsen --patterns | grep -qF "  #29 BassPedal, 96 ticks, weight 9, shifts -48..48, tempo 20-400: 0:36/79/0x11" ||
  fail "pattern listing"

# chart: what the key kinds and styles put on the page, read from the SVG's text.
example=Data/Example.zimbrel
svg() { "$cli" chart "$example" -o e.svg "$@" >/dev/null && cat e.svg; }
svg --key bb >t; contains "B-flat instruments read a tone up" t ">Key = D<"
svg --key user >t; contains "the user key, 5 by default" t ">Key = F<"
svg --key eb --transpose 3 >t; contains "transposition adds up" t ">Key = C<"
svg --key number >t; contains "numerals" t ">VI<"
svg --chord-style 2 >t; contains "chord style 2" t ">M7<"
svg --no-intro >t; grep -qF '>Intro<' t && fail "--no-intro still shows the intro"
printf '[Preferences]\r\nInstrumentType=1\r\n[General]\r\nChordStyle=1\r\n' >Zimbrel.ini
svg >t; contains "the key kind of the settings" t ">Key = D<"; contains "the chord style of the settings" t ">maj7<"
rm Zimbrel.ini
run "several charts into a folder" 0 "$cli" chart Data/*.zimbrel -o charts --format png --dpi 72
[ "$(ls charts/*.png | wc -l)" = "$(ls Data/*.zimbrel | wc -l)" ] || fail "one PNG per song"
[ "$(od -An -tu1 -j16 -N8 charts/Example.png | awk '{ print $3*256+$4 "x" $7*256+$8 }')" = 612x792 ] ||
  fail "letter at 72 dpi"
"$cli" chart "$example" -o all.pdf >out
contains "every page" out "$example: all.pdf: 1 page"
head -c 5 all.pdf | grep -q '%PDF-' || fail "not a PDF"
ZIMBREL_MUSIC_FONT=/nonexistent/emmentaler.otf "$cli" chart "$example" -o plain.png 2>err
check "no music font" 0 $?
contains "warning" err "lilypond-fonts"

# export: a B-flat part, and a folder of scores.
run "export in B-flat" 0 "$cli" export Data/WinterLamp.zimbrel --key bb -o lamp.musicxml
contains "export in B-flat" out "Data/WinterLamp.zimbrel: lamp.musicxml: Lead Sheet in B♭"
contains "export in B-flat" lamp.musicxml "<part-name>Lead Sheet in B♭</part-name>"
contains "export in B-flat" lamp.musicxml "<chromatic>-2</chromatic>"
run "export of two songs" 0 "$cli" export Data/WinterLamp.zimbrel Data/TwoRoads.zimbrel -o scores
[ -s scores/WinterLamp.musicxml ] && [ -s scores/TwoRoads.musicxml ] || fail "export: the folder lacks a score"

# songbook: title, contents and eight songs; a broken song is left out of the others' book.
run "songbook" 0 "$cli" songbook Data/*.zimbrel -o book.pdf --title "Examples"
contains "songbook" out "book.pdf: 8 songs"
[ "$(grep -a -c '/Type /Page$' book.pdf)" = 10 ] || fail "songbook: not 10 pages (title, contents, 8 songs)"
run "songbook with a broken song" 1 "$cli" songbook Data/Example.zimbrel "$broken" -o two.pdf
contains "songbook with a broken song" err "$broken: left out of the book"
contains "songbook with a broken song" out "two.pdf: 1 song"

# import: stored once, never twice; every imported song compiles.
run "import" 0 "$cli" import "$source_dir/tests/data/ireal/playlist.html" -o Imported
contains "import" out "Imported/The Night Ferry.zimbrel"
contains "import" err "playlist.html: The Night Ferry: warning: measure 23: the segno is left out"
"$cli" compile Imported/*.zimbrel >out 2>&1
check "imported songs compile" 0 $?
"$cli" import "$source_dir/tests/data/ireal/playlist.html" -o Imported >out 2>err
contains "import again" out "Imported/Porch Light.zimbrel (already there)"

# The completion script is bash, names the commands and the bands.
"$cli" --bash-completion >completion.bash && bash -n completion.bash || fail "completion script"
contains "band names" completion.bash "Brazilian Trio"
(. ./completion.bash; COMP_WORDS=(zimbrel-cli mi); COMP_CWORD=1; _zimbrel_cli; [ "${COMPREPLY[*]}" = midi ]) ||
  fail "completing a command"

finish zimbrel-cli commands
