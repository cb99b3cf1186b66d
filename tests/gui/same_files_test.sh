#!/usr/bin/env bash
# The files one home gets are the same whoever writes them: the window (of this tree, 32-bit or
# 64-bit) and the native command line write byte-identical results pairs and dictionaries, and
# the same report (the window's with CR LF line ends), and each reads the other's pair.
# Run inside the Wine environment of cmake/wine-gui-tests.sh.
# Usage: same_files_test.sh NATIVE_WORDKEG BUILD_DIR DRIVER_EXE
set -u
WK=$1 build=$2 driver=$3
[ -x "$WK" ] || { echo "no native wordkeg at $WK: build the native tree first"; exit 1; }
. "$(dirname "$0")/../cli/lib.sh" "$WK"
win() { printf 'Z:%s' "$(echo "$1" | tr / '\\\\')"; }
printf 'a\nat\nact\nbat\ncat\ndog\ngod\nhat\ntac\ncoat\n' >"$work/list.txt"
{ wk dict make "$work/list.txt" small; wk dict select small; wk search '?at' --save "$H/files/cli.wkg"; } \
  >/dev/null 2>&1
# The same home twice: the window works in one, the command line in the other.
G="$build/guihome/same-files"
rm -rf "$G"; cp -r "$H" "$G"
# A driver that printed nothing never ran (Wine did not start it): it is started once more.
for _ in 1 2; do
  wine "$driver" same-files "$(win "$build/bin/wordkeg32.exe")" "$(win "$G")" \
    "$(win "$build/screenshots")" >"$work/out" 2>&1
  [ -s "$work/out" ] && break
done
# The driver's own verdict, not wine's status (which is 0 when the program cannot even start).
expect_text "the window views the command line's pair, saves and adds" out "same-files: passed"
{ wk search '?at' --save "$H/files/win.wkg"; wk results export "$H/files/win.wkg" "$H/files/win.txt"
  wk dict add gnat small --yes; } >/dev/null 2>&1
for file in files/win.wkg files/win.pdx; do
  check "$file is the same from the window and the command line" 0 cmp "$G/$file" "$H/$file"
done
# A dictionary's header holds when it was made and changed (8 bytes at 2080): all else is equal.
untimed() { head -c 2080 "$1"; tail -c +2089 "$1"; }
check "the dictionary is the same from Add Word and dict add" 0 \
  cmp <(untimed "$G/lexicons/small.lex") <(untimed "$H/lexicons/small.lex")
check "the report is the same but for line ends" 0 cmp <(tr -d '\r' <"$G/files/win.txt") "$H/files/win.txt"
check "the command line shows the window's pair" 0 wk results show "$G/files/win.wkg"
expect_text "... with its results" out "hat"
finish
