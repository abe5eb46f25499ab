#!/usr/bin/env bash
# The commands that neither draw nor sound run with Qt's, FluidSynth's, libsndfile's and ALSA's
# libraries hidden from the loader: in a mount namespace of its own, the test lays an empty file
# over each of them (found through the helpers that do need them) and runs compile, midi, export,
# import and the others. chart must then fail to start, which shows that the libraries were hidden. Skipped
# (77) where no mount namespace can be made.
set -u
cli=$1
source_dir=$2
if [ "${ZIMBREL_LIBRARIES_HIDDEN:-}" != yes ]; then
  if unshare -m true 2>/dev/null; then namespace=(unshare -m)
  elif unshare -rm true 2>/dev/null; then namespace=(unshare -rm)
  else echo "no mount namespace here: skipped"; exit 77; fi
  exec env ZIMBREL_LIBRARIES_HIDDEN=yes "${namespace[@]}" bash "$0" "$@"
fi
. "$(dirname "$0")/common.sh"
helpers=$(dirname "$cli")
libraries=$(ldd "$helpers/zimbrel-cli-chart" "$helpers/zimbrel-cli-sound" |
  awk '/libQt6|libfluidsynth|libsndfile|libasound/ { print $3 }' | xargs -r readlink -f | sort -u)
[ "$(echo "$libraries" | grep -c .)" -ge 5 ] || { echo "FAIL: the helpers' libraries: $libraries"; exit 1; }
: >"$work/empty"
for library in $libraries; do
  mount --bind "$work/empty" "$library" || { echo "FAIL: cannot hide $library"; exit 1; }
done
cp -r "$source_dir/Data" "$work/Data"
cd "$work"

for command in "--version" "help chart" "compile Data/Example.zimbrel" \
  "midi Data/Example.zimbrel -o x.midi --seed 1" "analyze Data/Example.zimbrel" "bands" \
  "musician Ostrin" "config General.Zoom" "export Data/Example.zimbrel -o x.musicxml" \
  "import $source_dir/tests/data/ireal/link.txt -o Imported"; do
  # shellcheck disable=SC2086
  "$cli" $command >out 2>err || fail "$command without the libraries: $(head -n 3 err)"
done
[ "$(head -c 4 x.midi)" = MThd ] || fail "midi wrote no MIDI file"
"$cli" chart Data/Example.zimbrel -o x.pdf >out 2>err && fail "chart started without Qt: the libraries were not hidden"
grep -q "libQt6" err || fail "chart's failure does not name Qt: $(head -n 2 err)"

finish "commands without Qt, FluidSynth, libsndfile and ALSA"
