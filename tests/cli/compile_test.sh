#!/usr/bin/env bash
# zimbrel-cli compile, run as a user would: good songs, broken songs, missing files, bad usage.
set -u
cli=$1
source_dir=$2
. "$(dirname "$0")/common.sh"

"$cli" compile "$source_dir"/Data/*.zimbrel >"$work/out" 2>"$work/err"
check "all example songs" 0 $?
contains "example report" "$work/out" "'Example' has been compiled successfully"
[ -s "$work/err" ] && { fail "errors for the example songs:"; cat "$work/err"; }
[ "$(wc -l <"$work/out")" -eq "$(ls "$source_dir"/Data/*.zimbrel | wc -l)" ] ||
  fail "not one line per song"

"$cli" compile --bars "$source_dir/Data/Example.zimbrel" >"$work/out"
check "--bars" 0 $?
diff <(tail -n +2 "$work/out") "$source_dir/tests/data/examples/Example.bars" >/dev/null ||
  fail "--bars differs from the reference"

"$cli" compile "$source_dir/tests/data/songs/syntax_error.zimbrel" "$source_dir/Data/TwoRoads.zimbrel" \
  >"$work/out" 2>"$work/err"
check "one broken song among good ones" 1 $?
diff "$work/err" "$source_dir/tests/data/songs/syntax_error.error" >/dev/null ||
  { fail "error text differs:"; cat "$work/err"; }
contains "the good song still compiles" "$work/out" "'TwoRoads' has been compiled successfully"

"$cli" compile "$work/missing.zimbrel" 2>"$work/err"
check "missing file" 1 $?
contains "missing file message" "$work/err" "Error : Cannot read '$work/missing.zimbrel': No such file or directory"

"$cli" compile 2>"$work/err"
check "no file" 2 $?
contains "usage hint" "$work/err" "Try 'zimbrel-cli --help'."
"$cli" compile --frobnicate x.zimbrel 2>/dev/null
check "unknown option" 2 $?
"$cli" 2>/dev/null
check "no command" 2 $?
"$cli" sing 2>/dev/null
check "unknown command" 2 $?
"$cli" --help >"$work/out"
check "--help" 0 $?
contains "help lists compile" "$work/out" "compile [--bars] FILE..."
"$cli" --version >"$work/out"
check "--version" 0 $?
contains "version" "$work/out" "zimbrel-cli 1.00"

mkdir -p "$work/songs/Data" && cp "$source_dir/Data/Example.zimbrel" "$work/songs/Data/"
"$cli" --workdir "$work/songs" compile Data/Example.zimbrel >/dev/null
check "--workdir" 0 $?
"$cli" --workdir "$work/nowhere" compile x 2>/dev/null
check "--workdir to a missing folder" 1 $?

finish zimbrel-cli compile
