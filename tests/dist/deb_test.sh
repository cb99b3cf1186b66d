#!/usr/bin/env bash
# The Debian package as a user gets it, checked by lintian and unpacked into a scratch root: the
# installed command shows the project's version, sets up the user's own home on first use (long
# words, the British dictionary selected) and searches it, takes a named home as before, and its
# web server starts.
# Usage: deb_test.sh PATH-TO-wordkeg_VERSION_amd64.deb
set -uo pipefail
deb=$(realpath "$1")
work=$(mktemp -d)
server=""
trap '[ -n "$server" ] && kill -INT "$server" 2>/dev/null; rm -rf "$work"' EXIT
passed=0 failed=0
expect_same() {  # expect_same NAME GOT WANTED
  if [ "$2" = "$3" ]; then passed=$((passed + 1)); else
    failed=$((failed + 1)); echo "FAIL $1: got '$2', expected '$3'"; fi
}

dpkg -x "$deb" "$work/root"
# Debian's own checks of a package, where scripts/install-deps.sh --all has put them.
if command -v lintian >/dev/null; then
  expect_same "lintian finds nothing" \
    "$(lintian "$deb" 2>&1 | grep -E '^[EW]: ' || true)" ""
fi
wk="$work/root/usr/bin/wordkeg"
version=$(basename "$deb" | cut -d_ -f2)
expect_same "the package's name carries the version" "$(dpkg-deb -f "$deb" Version)" "$version"
expect_same "--version" "$(HOME="$work/user" "$wk" --version)" "wordkeg $version"
expect_same "--version sets nothing up" "$(ls -A "$work/user" 2>/dev/null)" ""
expect_same "the man page" "$(zcat "$work/root/usr/share/man/man1/wordkeg.1.gz" | grep -c '^.TH')" 1
expect_same "the completion" "$(grep -c '^complete' "$work/root/usr/share/bash-completion/completions/wordkeg")" 1

# First use: the user's own home, set up once.
out=$(HOME="$work/user" "$wk" search 'b?r?d' 2>"$work/err")
expect_same "first search in the user's home" "$(echo $out)" "bared bored"
expect_same "it said what it set up" "$(grep -c 'First use: compiling the british dictionary' "$work/err")" 1
data="$work/user/.local/share/wordkeg"
expect_same "the home's dictionaries" "$(HOME="$work/user" "$wk" dict list 2>/dev/null | tr -s ' ')" \
  "$(printf ' american.lex 284737\n* british.lex 284170')"
expect_same "the home takes long words" "$(HOME="$work/user" "$wk" config long-words)" \
  "long-words: on (words of 1 to 20 letters)"
HOME="$work/user" "$wk" search 'zz' >/dev/null 2>"$work/err"
expect_same "set up once" "$(grep -c 'First use' "$work/err")" 0
expect_same "XDG_DATA_HOME is the user's choice" \
  "$(XDG_DATA_HOME="$work/xdg" HOME="$work/user" "$wk" dict list 2>/dev/null | wc -l)" 2
[ -d "$work/xdg/wordkeg/lexicons" ] && passed=$((passed + 1)) ||
  { failed=$((failed + 1)); echo "FAIL no home under XDG_DATA_HOME"; }
# Two first uses at once: the second waits for the first set-up and both search.
HOME="$work/twice" "$wk" search 'b?r?d' >"$work/one" 2>&1 &
HOME="$work/twice" "$wk" search 'b?r?d' >"$work/two" 2>&1
second=$?
wait $!
expect_same "two first uses at once both search" "$second $? $(grep -c bored "$work/one" "$work/two" | tr '\n' ' ')" \
  "0 0 $work/one:1 $work/two:1 "
# Set-ups that cannot be done say why, with the program's failure status.
env -u HOME "$wk" --version >/dev/null 2>&1
expect_same "--version needs no home" "$?" 0
out=$(XDG_DATA_HOME=/proc/wordkeg-nowhere "$wk" search 'c?t' 2>&1)
expect_same "a home that cannot be made: status 2" "$?" 2
expect_same "and the reason" "$out" "wordkeg: setting up /proc/wordkeg-nowhere/wordkeg failed: the folder cannot be made"

# A named home is the user's as before: nothing set up in it.
HOME="$work/user" "$wk" --home "$work/named" dict list >/dev/null 2>&1
expect_same "a named home is left as it is" "$(ls "$work/named/lexicons" | wc -l)" 0

# The web server beside the program.
HOME="$work/user" "$wk" serve --port 0 >"$work/serve.out" 2>&1 &
server=$!
for _ in $(seq 50); do grep -q http "$work/serve.out" && break; sleep 0.1; done
base=$(awk '{ print $3 }' "$work/serve.out")
expect_same "the web server answers" \
  "$(curl -s "${base}api/search?find=b%3Fr%3Fd" | head -2 | tr -d '\n')" \
  '{"result":"bared"}{"result":"bored"}'
kill -INT "$server"
wait "$server"
expect_same "the web server stops on Ctrl-C" "$?" 0
server=""

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
