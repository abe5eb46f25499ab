#!/usr/bin/env bash
# zimbrel-cli from the user's side, measured side by side in one run: how fast each command
# starts and how many shared libraries it loads, and `zimbrel-cli midi` against MMA on the same
# 32-bar AABA chart played four times (bench/twins). Needs hyperfine and mma
# (apt-get install hyperfine mma). Prints numbers; it passes or fails nothing.
#   bench/cli_vs_mma.sh [BUILD]     BUILD defaults to build-bench (make bench), else build
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
[ -x "$build/cli/zimbrel-cli" ] || build=build
cli=$(realpath "$build/cli/zimbrel-cli")
for tool in hyperfine mma; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed: apt-get install $tool" >&2; exit 1; }
done
# Output goes to memory, so that the disk's sync does not hide the work.
out=$(mktemp -d /dev/shm/zimbrel-bench-XXXXXX)
trap 'rm -rf "$out"' EXIT
cp bench/twins/AABA.zimbrel bench/twins/AABA.mma Data/Example.zimbrel "$out"
cd "$out"

echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'); $(date -u +%Y-%m-%d)"
echo
echo "| command | shared libraries loaded | peak memory (KiB) |"
echo "|---|---|---|"
for command in "--version" "compile AABA.zimbrel" "midi AABA.zimbrel -o a.midi --seed 1" \
  "bands" "config" "help chart" "chart Example.zimbrel -o e.pdf" "ports"; do
  # shellcheck disable=SC2086
  libraries=$(LD_DEBUG=libs "$cli" $command 2>&1 >/dev/null | grep -c 'calling init:' || true)
  # shellcheck disable=SC2086
  /usr/bin/time -f '%M' -o memory "$cli" $command >/dev/null 2>&1 || true
  memory=$(tail -n 1 memory)
  echo "| zimbrel-cli $command | $libraries | $memory |"
done
echo

hyperfine --shell=none --warmup 5 --runs 100 --style basic --export-markdown starts.md \
  "$cli --version" "$cli compile AABA.zimbrel" "$cli midi AABA.zimbrel -o a.midi --seed 1" \
  >/dev/null
cat starts.md
echo
hyperfine --shell=none --warmup 3 --runs 20 --style basic --export-markdown mma.md \
  "$cli midi AABA.zimbrel -o a.midi --seed 1" "mma AABA.mma -f b.mid" >/dev/null
cat mma.md
