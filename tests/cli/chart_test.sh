#!/usr/bin/env bash
# zimbrel-cli chart, run as a user would: every example song in every chord style and every key
# kind, as PDF, PNG and SVG in turn, each file checked; defaults from Zimbrel.ini; the screen
# view; bad usage, broken songs and unwritable files; no display and no Emmentaler.
set -u
cli=$1
source_dir=$2
. "$(dirname "$0")/common.sh"
# As on a desktop without a display server: zimbrel-cli must choose the offscreen platform.
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

png_size() {  # the width and height in a PNG header
  od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'
}
valid() {  # description, file: a complete file of its kind
  case "$2" in
    *.pdf) head -c 5 "$2" | grep -q '%PDF-' && tail -c 7 "$2" | grep -q '%%EOF' || fail "$1: not a PDF" ;;
    *.png) [ "$(od -An -tx1 -N8 "$2" | tr -d ' ')" = 89504e470d0a1a0a ] || fail "$1: not a PNG" ;;
    *.svg) grep -q '<svg' "$2" && grep -q '</svg>' "$2" || fail "$1: not an SVG" ;;
  esac
}

cd "$work"
formats=(pdf png svg)
run=0
for song in "$source_dir"/Data/*.zimbrel; do
  name=$(basename "$song" .zimbrel)
  for style in 0 1 2 3; do
    out="$work/$name-style$style.${formats[$((run++ % 3))]}"
    "$cli" chart "$song" -o "$out" --chord-style "$style" >"$work/out" 2>"$work/err"
    check "$name in chord style $style" 0 $?
    [ -s "$work/err" ] && fail "$name style $style wrote to stderr: $(cat "$work/err")"
    valid "$name style $style" "$out"
  done
  for key in concert bb eb user number; do
    out="$work/$name-$key.${formats[$((run++ % 3))]}"
    "$cli" chart "$song" -o "$out" --key "$key" >/dev/null 2>"$work/err"
    check "$name in key $key" 0 $?
    valid "$name key $key" "$out"
  done
done

# What the keys and styles put on the page, read from the SVG's text.
example="$source_dir/Data/Example.zimbrel"
svg() { "$cli" chart "$example" -o "$work/e.svg" "$@" >/dev/null && cat "$work/e.svg"; }
svg --key concert >"$work/t"; contains "concert key" "$work/t" ">Key = C<"
svg --key bb >"$work/t"; contains "B-flat instruments read a tone up" "$work/t" ">Key = D<"
svg --key eb >"$work/t"; contains "E-flat instruments read three semitones down" "$work/t" ">Key = A<"
svg --key user >"$work/t"; contains "the user key, 5 by default" "$work/t" ">Key = F<"
svg --key bb --transpose -2 >"$work/t"; contains "transposition adds up" "$work/t" ">Key = C<"
svg --key number >"$work/t"; contains "numerals" "$work/t" ">VI<"
svg --chord-style 1 >"$work/t"; contains "chord style 1" "$work/t" ">maj7<"
svg --chord-style 2 >"$work/t"; contains "chord style 2" "$work/t" ">M7<"
svg --no-intro >"$work/t"; grep -qF '>Intro<' "$work/t" && fail "--no-intro still shows the intro"
svg >"$work/t"; contains "the intro by default" "$work/t" ">Intro<"

# Defaults come from Zimbrel.ini in the working directory.
printf '[Preferences]\r\nInstrumentType=1\r\nIntro=0\r\n[General]\r\nChordStyle=2\r\n' > Zimbrel.ini
svg >"$work/t"
contains "the key kind of the settings" "$work/t" ">Key = D<"
contains "the chord style of the settings" "$work/t" ">M7<"
grep -qF '>Intro<' "$work/t" && fail "the settings hide the intro"
svg --key concert --chord-style 0 >"$work/t"; contains "options win over settings" "$work/t" ">Key = C<"
rm Zimbrel.ini

# Pages, sizes and the screen view.
"$cli" chart "$example" -o "$work/p.png" --dpi 72 >"$work/out"
check "a PNG at 72 dpi" 0 $?
[ "$(png_size "$work/p.png")" = 612x792 ] || fail "letter at 72 dpi: $(png_size "$work/p.png")"
contains "what was written" "$work/out" "$work/p.png: page 1"
"$cli" chart "$example" -o "$work/s.png" --screen >/dev/null
[ "$(png_size "$work/s.png")" = 2550x1650 ] || fail "the screen view: $(png_size "$work/s.png")"
"$cli" chart "$example" -o "$work/all.pdf" >"$work/out"
contains "every page" "$work/out" "$work/all.pdf: 1 page"
[ "$(grep -ac '/Type /Page$' "$work/all.pdf")" = 1 ] || fail "page count of the PDF"

# Bad usage and failures.
"$cli" chart "$example" 2>"$work/err"; check "no output" 2 $?
contains "usage hint" "$work/err" "Try 'zimbrel-cli --help'."
"$cli" chart "$example" -o x.txt 2>/dev/null; check "an unknown extension" 2 $?
"$cli" chart "$example" -o x.pdf --dpi 300 2>/dev/null; check "--dpi for a PDF" 2 $?
"$cli" chart "$example" -o x.png --dpi 5000 2>/dev/null; check "--dpi out of range" 2 $?
"$cli" chart "$example" -o x.png --transpose 9 2>/dev/null; check "--transpose out of range" 2 $?
"$cli" chart "$example" -o x.png --key alto 2>/dev/null; check "an unknown key kind" 2 $?
"$cli" chart "$example" -o x.png --chord-style 4 2>/dev/null; check "an unknown chord style" 2 $?
"$cli" chart "$example" -o x.png --page 2 --screen 2>/dev/null; check "--page with --screen" 2 $?
"$cli" chart "$example" -o x.png --frobnicate 2>/dev/null; check "an unknown option" 2 $?
"$cli" chart "$example" -o x.png --page 2 2>"$work/err"; check "a page past the end" 1 $?
contains "page past the end" "$work/err" "has 1 page; there is no page 2"
"$cli" chart "$work/missing.zimbrel" -o x.png 2>"$work/err"; check "a missing song" 1 $?
contains "missing song" "$work/err" "Error : Cannot read '$work/missing.zimbrel'"
"$cli" chart "$source_dir/tests/data/songs/syntax_error.zimbrel" -o x.png 2>"$work/err"
check "a broken song" 1 $?
cmp -s "$work/err" "$source_dir/tests/data/songs/syntax_error.error" || fail "the compiler's message: $(cat "$work/err")"
[ -e x.png ] && fail "files were written for failed runs"
echo old > "$work/keep.pdf"
mkdir "$work/ro" && cp "$work/keep.pdf" "$work/ro/keep.pdf" && chmod 555 "$work/ro"
if [ "$(id -u)" -eq 0 ]; then as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups); chmod 755 "$work"; else as_user=(); fi
"${as_user[@]}" "$cli" chart "$example" -o "$work/ro/keep.pdf" 2>"$work/err"
check "a read-only folder" 1 $?
contains "why" "$work/err" "cannot write '$work/ro/keep.pdf'"
cmp -s "$work/ro/keep.pdf" "$work/keep.pdf" || fail "the old file changed"
chmod 755 "$work/ro"

# Without Emmentaler the chart still draws, and says so.
ZIMBREL_MUSIC_FONT=/nonexistent/emmentaler.otf "$cli" chart "$example" -o "$work/plain.png" 2>"$work/err"
check "no music font" 0 $?
contains "warning" "$work/err" "lilypond-fonts"
valid "no music font" "$work/plain.png"

finish "zimbrel-cli chart ($run charts)"
