#!/usr/bin/env bash
# zimbrel-cli config, run as a user would: listing the defaults, reading and writing values,
# unknown keys, bad values and names, and a settings folder that cannot be written.
set -u
cli=$1
source_dir=$2
. "$(dirname "$0")/common.sh"

same() {  # description, file, expected bytes (printf format)
  cmp -s "$2" <(printf "$3") || { fail "$1: the file differs:"; od -c "$2" | head; }
}

mkdir "$work/home" && chmod 777 "$work/home"
cd "$work/home"

"$cli" config >"$work/out" 2>"$work/err"
check "listing the defaults" 0 $?
[ "$(wc -l <"$work/out")" -eq 59 ] || fail "not 59 settings: $(wc -l <"$work/out")"
[ "$(head -n 1 "$work/out")" = "Ballad.Tempo1=60" ] || fail "first setting: $(head -n 1 "$work/out")"
[ "$(tail -n 1 "$work/out")" = "AuthorFont.Color=0" ] || fail "last setting: $(tail -n 1 "$work/out")"
contains "zoom default" "$work/out" "General.Zoom=1.000000"
contains "server default" "$work/out" "Account.Server=127.0.0.1"
contains "renderer's chord style" "$work/out" "Preferences.ChordStyle=0"
[ -s "$work/err" ] && fail "listing the defaults wrote to stderr: $(cat "$work/err")"
[ -e Zimbrel.ini ] && fail "listing created the settings file"

"$cli" config --help >"$work/help"
check "help" 0 $?
[ "$(grep -c '^  [A-Za-z]*\.[A-Za-z0-9]*=' "$work/help")" -eq 59 ] || fail "help does not name 59 settings"
[ "$(grep -A1 -xF "  General.PrecountNote=37" "$work/help" | tail -n 1)" = "      The drum key of \
the count-in click (37: side stick); a whole number from 0 to 95 (shown as C0 to B7)" ] ||
  fail "a setting's help: $(grep -A1 -F PrecountNote "$work/help")"

[ "$("$cli" config Preferences.Band)" = "Zimbrel Trio" ] || fail "the band's default"

"$cli" config Preferences.Band "Late Night"
check "writing a value" 0 $?
same "a new file" Zimbrel.ini '[Preferences]\r\nBand=Late Night\r\n'
[ "$(stat -c %a Zimbrel.ini)" = 600 ] || fail "a new settings file is not private: $(stat -c %a Zimbrel.ini)"
[ "$("$cli" config Preferences.Band)" = "Late Night" ] || fail "reading the written band"
"$cli" config | grep -qxF "Preferences.Band=Late Night" || fail "the listing shows the new band"

"$cli" config Preferences.Piano yes && "$cli" config Preferences.UserDefinedKey -3 &&
  "$cli" config General.Zoom 0.75
check "writing yes, a negative number and a decimal" 0 $?
same "values added" Zimbrel.ini \
  '[Preferences]\r\nBand=Late Night\r\nPiano=yes\r\nUserDefinedKey=-3\r\n[General]\r\nZoom=0.75\r\n'

"$cli" config General.Zoom large 2>"$work/err"
check "a word for a number" 2 $?
contains "what the key takes" "$work/err" \
  "zimbrel-cli: config: 'General.Zoom' takes a number from 0.5 to 2.5, not 'large'"
"$cli" config Preferences.Piano maybe 2>"$work/err"
check "a word for a switch" 2 $?
contains "what a switch takes" "$work/err" \
  "'Preferences.Piano' takes 0 or 1 (or true/false, on/off, yes/no), not 'maybe'"
"$cli" config Ballad.Repeat1 12 2>"$work/err"
check "a number out of range" 2 $?
contains "the range" "$work/err" "'Ballad.Repeat1' takes a whole number from 1 to 11, not '12'"
"$cli" config General.Precount 3 2>"$work/err"
check "a choice not in the list" 2 $?
contains "the choices" "$work/err" \
  "'General.Precount' takes 0 (No precount), 1 (1 measure precount) or 2 (2 measures precount), not '3'"
"$cli" config Preferences.Band "$(printf 'two\nlines')" 2>"$work/err"
check "a line break in a value" 2 $?
contains "line break" "$work/err" "cannot hold that text"
same "nothing written by refused values" Zimbrel.ini \
  '[Preferences]\r\nBand=Late Night\r\nPiano=yes\r\nUserDefinedKey=-3\r\n[General]\r\nZoom=0.75\r\n'

"$cli" config Mine.Colour teal 2>"$work/err"
check "writing an unknown key" 0 $?
contains "unknown key note" "$work/err" "zimbrel-cli: config: 'Mine.Colour' is not a setting Zimbrel knows"
"$cli" config >"$work/out" 2>"$work/err"
check "listing with an unknown key" 0 $?
[ "$(tail -n 1 "$work/out")" = "Mine.Colour=teal" ] || fail "unknown key not listed last"
contains "unknown key noted in the listing" "$work/err" "'Mine.Colour' is not a setting Zimbrel knows"
[ "$("$cli" config Mine.Colour 2>/dev/null)" = teal ] || fail "reading an unknown key"
"$cli" config Mine.Missing >"$work/out" 2>"$work/err"
check "an unknown key that is not there" 1 $?
contains "not there" "$work/err" "'Mine.Missing' is not in ./Zimbrel.ini"

"$cli" config Zoom 2>"$work/err"
check "a name without a section" 2 $?
contains "name form" "$work/err" "'Zoom' is not SECTION.KEY"
"$cli" config General.Zoom 1 extra 2>/dev/null
check "too many arguments" 2 $?
"$cli" config --all 2>/dev/null
check "an unknown option" 2 $?

cp Zimbrel.ini "$work/before.ini"
chmod 666 Zimbrel.ini && chmod 555 .
as_user "$cli" config Preferences.Band "Other Band" 2>"$work/err"
check "a read-only folder" 1 $?
contains "why it failed" "$work/err" "zimbrel-cli: config: cannot write ./Zimbrel.ini: Permission denied"
cmp -s Zimbrel.ini "$work/before.ini" || fail "the old file changed"
chmod 777 .

cd "$work"
"$cli" --workdir "$work/home" config Preferences.Band >"$work/out"
check "--workdir" 0 $?
[ "$(cat "$work/out")" = "Late Night" ] || fail "--workdir reads that folder's settings"

finish zimbrel-cli config
