#!/usr/bin/env bash
# zimbrel-cli export, songbook and import, run as a user would: a B-flat score and a folder of
# scores, a key the score cannot take; the songbook of the example songs and one with a broken
# song left out; a playlist imported twice, and a file without links.
set -u
cli=$1
source_dir=$2
. "$(dirname "$0")/common.sh"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
cd "$work"

"$cli" export "$source_dir/Data/WinterLamp.zimbrel" --key bb -o lamp.musicxml >out 2>err
check "export in B-flat" 0 $?
contains "export in B-flat" lamp.musicxml "<part-name>Lead Sheet in B♭</part-name>"
contains "export in B-flat" lamp.musicxml "<chromatic>-2</chromatic>"
"$cli" export "$source_dir/Data/WinterLamp.zimbrel" "$source_dir/Data/TwoRoads.zimbrel" -o scores >out 2>err
check "export of two songs" 0 $?
[ -s scores/WinterLamp.musicxml ] && [ -s scores/TwoRoads.musicxml ] || fail "export: the folder lacks a score"
"$cli" export "$source_dir/Data/WinterLamp.zimbrel" --key number -o n.musicxml >out 2>err
check "export with numbers" 2 $?
contains "export with numbers" err "--key needs concert, bb, eb or user"

cp "$source_dir/Data/Example.zimbrel" mine.zimbrel
"$cli" export mine.zimbrel -o ./mine.zimbrel >out 2>err
check "export over the song" 2 $?
"$cli" songbook mine.zimbrel -o mine.zimbrel >out 2>err
check "songbook over the song" 2 $?
cmp -s mine.zimbrel "$source_dir/Data/Example.zimbrel" || fail "the song was overwritten"

"$cli" songbook "$source_dir"/Data/*.zimbrel -o book.pdf --title "Examples" >out 2>err
check "songbook" 0 $?
contains "songbook" out "book.pdf: 8 songs"
[ "$(grep -a -c '/Type /Page$' book.pdf)" = 10 ] || fail "songbook: not 10 pages (title, contents, 8 songs)"
"$cli" songbook "$source_dir/Data/Example.zimbrel" "$source_dir/tests/data/songs/syntax_error.zimbrel" -o two.pdf >out 2>err
check "songbook with a broken song" 1 $?
contains "songbook with a broken song" err "is left out of the book"
contains "songbook with a broken song" out "two.pdf: 1 song"

"$cli" import "$source_dir/tests/data/ireal/playlist.html" -o Data >out 2>err
check "import" 0 $?
contains "import" out "Data/The Night Ferry.zimbrel"
contains "import" err "The Night Ferry: warning: measure 23: the segno is left out"
"$cli" compile Data/*.zimbrel >out 2>&1
check "imported songs compile" 0 $?
"$cli" import "$source_dir/tests/data/ireal/playlist.html" -o Data >out 2>err
contains "import again" out "Data/Porch Light.zimbrel (already there)"
echo "nothing here" > plain.txt
"$cli" import plain.txt -o Data >out 2>err
check "import without links" 1 $?
contains "import without links" err "it holds no irealb:// or irealbook:// link"

finish export, songbook and import
