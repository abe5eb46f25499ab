# Shared by the command-line tests, which source it after setting `cli` and `source_dir`: a fresh
# working folder removed at the end (scripts add to `on_exit` for their own clean-up), the checks
# that count failures, running as an ordinary user, and the final verdict.
failures=0
work=$(mktemp -d)
chmod 755 "$work"
on_exit=()
cleanup() {
  local step
  for step in "${on_exit[@]}"; do eval "$step"; done
  chmod -R u+w "$work"
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() {  # description, expected status, actual status
  [ "$2" = "$3" ] || fail "$1: exit status $3, expected $2"
}
run() {  # description, expected status, command...; its output goes to $work/out and $work/err
  local description=$1 status=$2
  shift 2
  "$@" >"$work/out" 2>"$work/err"
  check "$description" "$status" $?
}
contains() {  # description, file, text
  grep -qaF -- "$3" "$2" || { fail "$1: '$3' not in output:"; head -c 600 "$2"; echo; }
}
# Runs a command as an ordinary user, so that file permissions hold when the tests run as root.
as_user() {
  if [ "$(id -u)" -eq 0 ]; then setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; else "$@"; fi
}
finish() {  # what was checked
  [ "$failures" -eq 0 ] && echo "all $* checks passed"
  exit $((failures > 0))
}
