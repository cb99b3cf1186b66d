# Helpers of the command-line tests: source with the path of the wordkeg binary. Each test gets
# a fresh work folder ($work, removed at exit) with a home in it ($H).
WK=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
H="$work/home"
passed=0 failed=0

check() {  # check NAME EXPECTED-STATUS COMMAND...: runs with stdin closed, records out/err
  local name=$1 want=$2
  shift 2
  "$@" </dev/null >"$work/out" 2>"$work/err"
  local got=$?
  if [ "$got" = "$want" ]; then passed=$((passed + 1)); else
    failed=$((failed + 1))
    echo "FAIL $name: status $got, expected $want"; sed 's/^/  err: /' "$work/err"
  fi
}
expect_text() {  # expect_text NAME FILE TEXT
  if grep -qF -- "$3" "$work/$2"; then passed=$((passed + 1)); else
    failed=$((failed + 1)); echo "FAIL $1: '$3' not in $2"; sed 's/^/  /' "$work/$2"
  fi
}
expect_file() {  # expect_file NAME PATH [absent]
  if { [ -e "$2" ] && [ "${3:-}" != absent ]; } || { [ ! -e "$2" ] && [ "${3:-}" = absent ]; }; then
    passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL $1: $2 ${3:-missing}"; fi
}
wk() { "$WK" --home "$H" "$@"; }
expect_same() {  # expect_same NAME GOT WANTED
  if [ "$2" = "$3" ]; then passed=$((passed + 1)); else
    failed=$((failed + 1)); echo "FAIL $1: got '$2', expected '$3'"; fi
}
expect_empty_temp() {  # expect_empty_temp NAME: the home's temporary directory holds nothing
  expect_same "$1" "$(ls -A "$H/temp")" ""
}
hold_live_copy() {  # hold_live_copy NAME: a copy that waits for its word list (fd 3 feeds it)
  rm -f "$work/feed"; mkfifo "$work/feed"
  "$WK" --home "$H" dict make "$work/feed" "$1" </dev/null >/dev/null 2>&1 &
  live_copy=$!
  exec 3>"$work/feed"
}
end_live_copy() {  # kills the held copy with -9, as a crash would end it
  kill -9 "$live_copy"; wait "$live_copy" 2>/dev/null
  exec 3>&-
}
wait_for_sort_runs() {  # waits (up to 10 s) until a make has begun writing its sort runs
  for _ in $(seq 200); do ls "$H/temp" | grep -q '^\$\$tmp' && return 0; sleep 0.05; done
}
finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" = 0 ]
}
