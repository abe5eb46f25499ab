#!/usr/bin/env bash
# Loads the MusicXML export of every example song in an independent reader (webmscore, from the
# npm registry) and compares measures, chords and notes with the song. Needs a build with tests
# (make build) and Node.js with npm; installs webmscore into BUILD/interop from the lock file.
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."
if ! command -v npm >/dev/null; then
  sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends nodejs npm
fi
work="$build/interop"
mkdir -p "$work"
cp tests/interop/package.json tests/interop/package-lock.json tests/interop/check.mjs "$work/"
(cd "$work" && npm ci --no-audit --no-fund --loglevel=error >/dev/null)
passed=0 failed=0
for song in Data/*.zimbrel; do
  name=$(basename "$song" .zimbrel)
  "$build/cli/zimbrel-cli" --workdir "$work" export "$PWD/$song" -o "$PWD/$work/$name.musicxml" --key concert >/dev/null
  "$build/tests/interchange/song_facts" "$song" > "$work/$name.json"
  if (cd "$work" && node check.mjs "$name.json" "$name.musicxml"); then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
  fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
