#!/usr/bin/env bash
# End-to-end tests of "wordkeg dict": exit statuses, messages, files left on disk.
# Usage: cli_test.sh path/to/wordkeg
set -u
. "$(dirname "$0")/lib.sh" "$1"

printf 'cat\r\ndog\nDog\n  Paris\nwell-known\nab1\n' > "$work/list.txt"
printf 'cow\ncat\nemu\n' > "$work/list2.txt"

check "empty home lists nothing" 1 wk dict list
expect_text "empty home warns" err "Wordkeg could not find any dictionaries."
check "make" 0 wk dict make "$work/list.txt" First
expect_text "make status" err "Dictionary Created Successfully"
expect_same "the first make does not warn of an empty home" "$(grep -c 'could not find any' "$work/err")" 0
expect_text "make summary" err "kept 5 words; skipped 1 line: 1 with characters other than A-Z and a hyphen"
printf 'emu\nEmu\nemu\n\n-x\na b\nabcdefghijk\nx--y\n' | "$WK" --home "$H" dict make - tally >/dev/null 2>"$work/err"
expect_text "make summary by reason" err "kept 2 words (1 repeat merged); skipped 5 lines: 1 over 9 letters, 2 with a hyphen first, last or twice, 1 with more than one word, 1 blank"
printf 'emu\nyak\nyak\nemu\n' | "$WK" --home "$H" dict make - own --unique >/dev/null 2>"$work/err"
expect_text "unique: repeats and words held elsewhere told apart" err "kept 1 word (2 repeats merged, 1 word other dictionaries hold)"
check "tally dictionary goes" 0 wk dict delete tally --yes
check "words" 0 wk dict words first.lex
[ "$(tr '\n' ' ' < "$work/out")" = "cat Dog dog Paris well-known " ] && passed=$((passed + 1)) ||
  { failed=$((failed + 1)); echo "FAIL words order: $(cat "$work/out")"; }
check "make relative list from elsewhere" 0 bash -c "cd '$work' && '$WK' --home '$H' dict make list2.txt second"
check "list" 0 wk dict list
expect_text "list line" out "  first.lex 5"
check "select" 0 wk dict select first
check "list marks selection" 0 wk dict list
expect_text "selected mark" out "* first.lex 5"
check "deselect all" 0 wk dict deselect --all
check "details" 0 wk dict details second
expect_text "details words" out "Total Words: 3"
expect_text "details caption" out "Information on: second.lex"
check "unknown dictionary" 2 wk dict details nothere
check "bad name" 2 wk dict make "$work/list.txt" "bad.name"
check "missing list" 2 wk dict make "$work/absent.txt" third
expect_text "missing list text" err "Unable to find File: "
check "overwrite refused without force" 1 wk dict make "$work/list2.txt" first
expect_text "overwrite question" err "Dictionary already exists. Overwrite?"
check "overwrite forced" 0 wk dict make "$work/list2.txt" first --force
expect_file "backup kept" "$H/lexicons/first.lxb"
check "find exact" 0 wk dict find cat
expect_text "find lists both" out "second.lex"
check "find nothing" 1 wk dict find zebra
check "find ignores letter case" 0 wk dict find CAT
expect_same "... and says how each is stored" "$(cat "$work/out")" "first.lex: cat
second.lex: cat"
check "add to new dictionary refused without yes" 1 wk dict add zebra newdict
expect_text "new dictionary question" err "Do you wish to create a new dictionary"
expect_file "no dictionary made" "$H/lexicons/newdict.lex" absent
check "add with yes" 0 wk dict add zebra newdict --yes
expect_text "add status" err "Word Added Successfully"
check "add word already there" 1 wk dict add zebra newdict --yes
expect_text "already contains" err "newdict.lex already contains the word 'zebra'"
# The home is a folder of its own: an update works there, not where the user stands.
mkdir -p "$work/elsewhere" && echo mine >"$work/elsewhere/new{}}{.\$\$\$"
(cd "$work/elsewhere" && wk dict add zebu newdict --yes && wk dict remove zebu newdict) >/dev/null 2>&1
expect_same "a file of the update's name where the user stands is left alone" \
  "$(cat "$work/elsewhere/new{}}{.\$\$\$")" mine
check "add invalid word" 2 wk dict add 'ab1' newdict
expect_text "invalid word" err "ab1 is not a valid Wordkeg word."
check "remove absent word" 1 wk dict remove yak newdict
check "remove last word deletes dictionary" 0 wk dict remove zebra newdict
expect_file "emptied dictionary gone" "$H/lexicons/newdict.lex" absent
check "merge needs two" 2 wk dict merge both first
check "merge" 0 wk dict merge both first second
check "merged words" 0 wk dict words both
[ "$(wc -l < "$work/out")" = 3 ] && passed=$((passed + 1)) || { failed=$((failed + 1)); echo "FAIL merged count"; }
check "merge onto existing refused" 1 wk dict merge both first second
check "merge delete sources" 0 wk dict merge both first second --force --delete-sources
expect_file "source gone" "$H/lexicons/second.lex" absent
expect_file "source kept as backup" "$H/lexicons/second.lxb"
check "delete refused without yes" 1 wk dict delete both
check "delete" 0 wk dict delete both --yes
expect_file "deleted backup" "$H/lexicons/both.lxb"
touch "$H/temp/\$\$other.wki"  # a marker nobody holds: its copy is gone (live ones: robustness_test)
check "a dead copy's marker blocks nothing" 0 wk dict make "$work/list.txt" again
expect_file "a dead copy's marker is removed" "$H/temp/\$\$other.wki" absent
[ -z "$(ls -A "$H/temp")" ] && passed=$((passed + 1)) || { failed=$((failed + 1)); echo "FAIL temp not empty: $(ls -A "$H/temp")"; }

# Ctrl-C during a long make: the old dictionary stays, no temporary file remains.
for i in $(seq 40); do cat /usr/share/dict/british-english-huge 2>/dev/null || printf 'abc\ndef\n'; done > "$work/big.txt"
wk dict make "$work/list2.txt" keep >/dev/null 2>&1
before=$(cksum < "$H/lexicons/keep.lex")
"$WK" --home "$H" dict make "$work/big.txt" keep --force </dev/null >/dev/null 2>"$work/err" &
wait_for_sort_runs; kill -INT $!; wait $!
status=$?
[ "$status" = 130 ] && grep -qx cancelled "$work/err" && [ "$(cksum < "$H/lexicons/keep.lex")" = "$before" ] && [ -z "$(ls -A "$H/temp")" ] &&
  passed=$((passed + 1)) || { failed=$((failed + 1)); echo "FAIL cancel: status $status, temp: $(ls -A "$H/temp")"; }

# Searching.
printf 'act\ncat\nCat\ncot\ncoat\ndog\ngod\ntac\nx-ray\n' > "$work/search.txt"
wk dict make "$work/search.txt" words >/dev/null 2>&1
check "search without selection" 2 wk search 'c?t'
expect_text "no selection message" err "You do not currently have  a dictionary selected for use."
wk dict select words >/dev/null 2>&1
check "search pattern" 0 wk search 'c/t'
[ "$(tr '\n' ' ' < "$work/out")" = "Cat cat cot " ] && passed=$((passed + 1)) ||
  { failed=$((failed + 1)); echo "FAIL search pattern: $(cat "$work/out")"; }
expect_text "counts on stderr" err "Found: 3"
check "search nothing" 1 wk search 'zz?'
check "search refused character" 2 wk search 'c.t'
expect_text "refused character text" err "'.' cannot be typed into this field: FIND"
check "search anagram" 0 wk search '???' --from tca
expect_text "anagram" out "tac"
check "multi-word" 0 wk search 'cat !' --from catdog
[ "$(tr '\n' '|' < "$work/out")" = "Cat dog|Cat god|cat dog|cat god|" ] && passed=$((passed + 1)) ||
  { failed=$((failed + 1)); echo "FAIL multi-word: $(cat "$work/out")"; }
check "multi-word from letters that make no word" 1 wk search '* *' --from eeeeee
expect_text "multi-word nothing found" err "Found: 0"
check "bang warning goes on" 0 wk search 'cat !dog' --from catdog
expect_text "bang note in the terminal's words" err "Note: FIND's text after ! is ignored"
check "check message" 2 wk search 'cat' --from ta
expect_text "check message text" err "Your FIND includes letters not found in your FROM field."
check "dict limit" 0 wk search '*' --dict words
check "save pair" 0 wk search 'c?t' --save "$work/saved"
expect_file "saved data" "$work/saved.wkg"
expect_file "saved index" "$work/saved.pdx"
check "save report" 0 wk search 'c?t' --save "$work/report.txt"
expect_text "report" report.txt "Results from Wordkeg Search"
check "results show" 0 wk results show "$work/saved.wkg"
expect_text "show find" out "FIND: c?t"
expect_text "show line" out "cot"
check "results export" 0 wk results export "$work/saved" "$work/export.asc"
expect_text "export counts" export.asc "Words Found:         3"
check "results delete asks" 1 wk results delete "$work/saved.wkg"
expect_text "results delete question" err "Confirm: Delete these saved results: $work/saved.wkg"
expect_file "unconfirmed delete keeps the pair" "$work/saved.wkg"
check "results delete" 0 wk results delete "$work/saved.wkg" --yes
expect_file "deleted pair" "$work/saved.wkg" absent
check "show missing" 2 wk results show "$work/saved.wkg"
[ -z "$(ls -A "$H/temp")" ] && passed=$((passed + 1)) || { failed=$((failed + 1)); echo "FAIL search temp: $(ls -A "$H/temp")"; }

finish
