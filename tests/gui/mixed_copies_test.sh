#!/usr/bin/env bash
# The instance marker between the native command line and wordkeg32 under Wine, both ways: each
# honours the other's live marker, and a copy of either killed with -9 blocks nothing.
# Run inside the Wine environment of cmake/wine-gui-tests.sh.
# Usage: mixed_copies_test.sh NATIVE_WORDKEG BUILD_DIR DRIVER_EXE
set -u
WK=$1 build=$2 driver=$3
[ -x "$WK" ] || { echo "no native wordkeg at $WK: build the native tree first"; exit 1; }
H="$build/guihome/mixed"
rm -rf "$H"; mkdir -p "$H"
. "$(dirname "$0")/../cli/lib.sh" "$WK"
H="$build/guihome/mixed"
win() { printf 'Z:%s' "$(echo "$1" | tr / '\\\\')"; }
markers() { ls "$H/temp" 2>/dev/null | grep -c 'wki$'; }
wait_markers() { for _ in $(seq 100); do [ "$(markers)" = "$1" ] && return 0; sleep 0.1; done; return 1; }
printf 'cat\ndog\n' > "$work/list.txt"
{ wk dict make "$work/list.txt" w; wk dict select w; } >/dev/null 2>&1

# The window beside a live command-line copy.
hold_live_copy waiting
wait_markers 1
# A driver that printed nothing never ran (Wine did not start it, once in a while on a busy
# machine): it is started once more rather than taken for a verdict.
for _ in 1 2; do
  wine "$driver" "$(win "$build/bin/wordkeg32.exe")" "$(win "$H")" "$(win "$build/screenshots")" \
    >"$work/out" 2>&1
  [ -s "$work/out" ] && break
done
# The driver's own verdict, not wine's status (which is 0 when the program cannot even start).
expect_text "the window honours a live command-line copy" out "0 failures"
end_live_copy
check "the killed command-line copy blocks nothing" 1 wk dict find nothing

# The command line beside a live window, then beside one killed with -9.
(cd "$H" && exec wine "$build/bin/wordkeg32.exe") >/dev/null 2>&1 &
window=$!
wait_markers 1
check "the command line honours a live window" 2 wk dict make "$work/list.txt" other
expect_text "the window counts as another copy" err "Another copy of Wordkeg is running"
kill -9 $window; wait $window 2>/dev/null; sleep 1
check "a window killed with -9 blocks nothing" 0 wk dict make "$work/list.txt" other
expect_empty_temp "its marker is cleared"
finish
