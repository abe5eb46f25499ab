#!/usr/bin/env bash
# zimbrel-server and zimbrel-cli net together, as a new user would use them: start a server,
# register (and a duplicate user ID), log in with a wrong password, store the account, upload the
# example songs, list them, download them into another user's song folder (by name, by a title
# without an at-mark, and all at once), and the failures: no account, no server, bad usage, an
# unwritable song folder. The server runs on a free port and is stopped at the end.
set -u
cli=$1
server=$2
source_dir=$3
. "$(dirname "$0")/common.sh"
server_pid=
on_exit+=('[ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null')
# The network log is checked line by line.
contains() {  # description, file, line
  grep -qxF -- "$3" "$2" || { fail "$1: line '$3' not in output:"; cat "$2"; }
}

# Bad usage of the server: a clear message and exit status 2, nothing started.
"$server" --max-connections 0 2>"$work/err"
check "server: a number out of range" 2 $?
contains "range named" "$work/err" "zimbrel-server: --max-connections: Value 0 not in range 1 to 100000"
"$server" --listen nowhere 2>"$work/err"
check "server: --listen without a port" 2 $?

# The server picks a free port and says which.
mkdir "$work/server"
"$server" --listen 127.0.0.1:0 --db "$work/server/songs.sqlite" --fast-password-hashing \
  >"$work/server/log" 2>&1 &
server_pid=$!
for _ in $(seq 100); do
  grep -q '^Listening on ' "$work/server/log" && break
  sleep 0.1
done
port=$(sed -n 's/^Listening on 127\.0\.0\.1:\([0-9]*\) .*/\1/p' "$work/server/log")
[ -n "$port" ] || { echo "FAIL: the server did not start:"; cat "$work/server/log"; exit 1; }

# Ann registers, stores her account and shares the example songs.
mkdir -p "$work/ann" && cd "$work/ann"
cp -r "$source_dir/Data" .
run "register" 0 "$cli" net --server "127.0.0.1:$port" register " Ann " Ann@Example.org secret1
contains "registered" "$work/out" "Registered successfully"
contains "registration hint" "$work/out" "  zimbrel-cli config Account.Email ann@example.org"
run "duplicate user ID" 1 "$cli" net --server "127.0.0.1:$port" register ann other@example.org pw
contains "duplicate user ID" "$work/err" "Error : Cannot register: the user ID is already taken"
run "user ID the dialog refuses" 1 "$cli" net register "ann!" a@b pw
contains "user ID message" "$work/err" "Combination of only alphabet, number and space is acceptable for User ID.  But space code cannot be the leading or trailing character."

run "no account" 1 "$cli" net list
grep -q "no account to log in with" "$work/err" || fail "no account message: $(cat "$work/err")"

"$cli" config Account.Email ann@example.org >/dev/null
"$cli" config Account.Password wrong >/dev/null
"$cli" config Account.Port "$port" >/dev/null
run "wrong password" 1 "$cli" net list
contains "result line" "$work/out" "Result : 1"
contains "refusal" "$work/err" "Error : Cannot log in"

"$cli" config Account.Password secret1 >/dev/null
run "upload --all" 0 "$cli" net upload --all
contains "uploaded" "$work/out" "Uploaded successfully"
contains "an example song" "$work/out" "  - Example"
run "list" 0 "$cli" net list
songs=$(ls "$source_dir"/Data/*.zimbrel | wc -l)
contains "song count" "$work/out" "[$songs songs]"
contains "a name" "$work/out" "Example@Ann"

# Bob downloads them into his own song folder, which already holds a song called Example.
mkdir -p "$work/bob/Data" && cd "$work/bob"
echo "Bob's own Example" >Data/Example.zimbrel
"$cli" net --server "localhost:$port" register bob bob@example.org pw2 >/dev/null
bob=(--server "localhost:$port" --email bob@example.org --password pw2)
run "list of one user" 0 "$cli" net "${bob[@]}" list ann
contains "ann's songs" "$work/out" "[$songs songs]"
"$cli" net "${bob[@]}" list bob >"$work/out" 2>"$work/err"
contains "bob's songs" "$work/out" "[0 songs]"

run "download by title without an at-mark" 0 "$cli" net "${bob[@]}" download TwoRoads
contains "saved" "$work/out" "    saved as ./Data/TwoRoads.zimbrel"
cmp -s Data/TwoRoads.zimbrel "$source_dir/Data/TwoRoads.zimbrel" || fail "TwoRoads differs from the original"

run "download --all" 0 "$cli" net "${bob[@]}" download --all
contains "kept apart" "$work/out" "    saved as ./Data/Example@Ann.zimbrel"
contains "already there" "$work/out" "    already stored as ./Data/TwoRoads.zimbrel"
[ "$(cat Data/Example.zimbrel)" = "Bob's own Example" ] || fail "Bob's own song was replaced"
for song in "$source_dir"/Data/*.zimbrel; do
  name=$(basename "$song")
  [ "$name" = Example.zimbrel ] && name=Example@Ann.zimbrel
  cmp -s "Data/$name" "$song" || fail "downloaded $name differs from the original"
done

run "a song the server does not have" 1 "$cli" net "${bob[@]}" download "Example@ann" "Missing@ann"
contains "missing song" "$work/err" "Error : The server has no song 'Missing@ann'"

# Bob's upload --all leaves out the copies of Ann's songs.
run "bob's upload" 0 "$cli" net "${bob[@]}" upload --all
contains "skipped copy" "$work/out" "Skipped 'Example@Ann': a song downloaded from another user"
contains "bob's own song" "$work/out" "  - Example"

# A song folder that cannot be written: a clear error, and nothing stored is lost.
mkdir -p "$work/carol/Data" && cd "$work/carol"
echo "Carol's" >Data/Keep.zimbrel
chmod 555 Data
chmod 777 "$work/carol"
run "unwritable song folder" 1 as_user "$cli" net "${bob[@]}" download BackPorchBlues@ann
grep -q "^Error : Cannot store 'BackPorchBlues@Ann': cannot write ./Data/BackPorchBlues.zimbrel: " "$work/err" ||
  fail "unwritable folder message: $(cat "$work/err")"
[ "$(cat Data/Keep.zimbrel)" = "Carol's" ] || fail "Carol's song changed"
chmod 755 Data

run "no server" 1 "$cli" net --server 127.0.0.1:1 "${bob[@]:2}" list
contains "no server" "$work/err" "Error : Cannot connect to server"

kill "$server_pid"
wait "$server_pid"
check "server stops on SIGTERM" 0 $?
server_pid=
grep -q '^Stopped$' "$work/server/log" || fail "the server did not say it stopped"
grep -q "secret1\|pw2" "$work/server/log" && fail "a password reached the server log"
grep -q "Download 1 names: 1 songs" "$work/server/log" || fail "the server log lacks a download line"

finish zimbrel-cli net
