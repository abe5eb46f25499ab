#!/usr/bin/env bash
# zimbrel-cli analyze, run as a user would.
set -u
cli=$1
source_dir=$2
. "$(dirname "$0")/common.sh"

for song in "$source_dir"/Data/*.zimbrel; do
  "$cli" analyze "$song" >"$work/out" 2>"$work/err" || fail "$song: exit status $?"
  [ -s "$work/err" ] && fail "$song: errors: $(cat "$work/err")"
  [ -s "$work/out" ] || fail "$song: no chords listed"
  grep -vqE '^[A-G][b#]?[^ ]*( [^ ]+)*( on [A-G][b#]?)? --> [A-Za-z0-9 |]+$' "$work/out" &&
    fail "$song: a line not of the listing's form: $(grep -vE ' --> ' "$work/out" | head -1)"
done

"$cli" analyze "$source_dir/Data/Example.zimbrel" | diff - "$source_dir/tests/data/examples/Example.analysis" >/dev/null ||
  fail "Example differs from its reference"
"$cli" analyze "$source_dir/Data/MidnightMinor.zimbrel" | head -1 | grep -qx 'Cm7 --> Dorian' ||
  fail "C minor key not used"
# A key block that starts with a bar sign still gives A minor.
"$cli" analyze "$source_dir/tests/data/songs/utf8.zimbrel" | head -1 | grep -qx 'Am7 --> Dorian' ||
  fail "key after a bar sign not used"
"$cli" analyze "$source_dir/Data/LateTrain.zimbrel" | grep -qx 'Ab on Gb --> Ionian' ||
  fail "slash chord line"

"$cli" analyze "$source_dir/tests/data/songs/syntax_error.zimbrel" >"$work/out" 2>"$work/err"
[ $? -eq 1 ] || fail "broken song: exit status"
diff "$work/err" "$source_dir/tests/data/songs/syntax_error.error" >/dev/null || fail "broken song: message"
[ -s "$work/out" ] && fail "broken song: chords listed"
"$cli" analyze 2>/dev/null; [ $? -eq 2 ] || fail "no file: exit status"
"$cli" analyze a.zimbrel b.zimbrel 2>/dev/null; [ $? -eq 2 ] || fail "two files: exit status"
"$cli" analyze "$work/none.zimbrel" 2>"$work/err"; [ $? -eq 1 ] || fail "missing file: exit status"
grep -q "Error : Cannot read" "$work/err" || fail "missing file: message"

finish zimbrel-cli analyze
