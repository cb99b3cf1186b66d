#!/usr/bin/env bash
# End-to-end tests of the command line used as Unix tools are: piped into head, hung up, killed
# at any moment, fed odd or damaged input. What is checked is what the user is left with: exit
# statuses, messages, dictionaries and the temporary directory.
# Usage: robustness_test.sh path/to/wordkeg
set -u
. "$(dirname "$0")/lib.sh" "$1"

words=/usr/share/dict/british-english-huge
wk dict make "$words" big >/dev/null 2>&1
wk dict select big >/dev/null 2>&1
for i in $(seq 20); do cat "$words"; done > "$work/huge.txt"

# A reader that goes away: the run ends quietly with a broken pipe's status and leaves nothing.
"$WK" --home "$H" search '*' 2>"$work/err" | head -1 >"$work/out"
expect_same "search | head: status" "${PIPESTATUS[0]}" 141
expect_same "search | head: first line" "$(cat "$work/out")" "A"
expect_same "search | head: quiet" "$(cat "$work/err")" ""
expect_empty_temp "search | head leaves no file"
"$WK" --home "$H" dict words big 2>"$work/err" | head -2 >/dev/null
expect_same "words | head: status" "${PIPESTATUS[0]}" 141
expect_same "words | head: quiet" "$(cat "$work/err")" ""
"$WK" --home "$H" search '* * *' --from astronomerwatch 2>/dev/null | true
expect_same "long search whose reader left: status" "${PIPESTATUS[0]}" 141
expect_empty_temp "long search whose reader left leaves no file"
# Output that cannot be written is no success, however short: it ends as a broken pipe does.
"$WK" --home "$H" dict details big >/dev/full 2>"$work/err"
expect_same "details into a full disk: status" "$?" 141
# A search cut short says so and ends with its signal's status, after what it found so far.
"$WK" --home "$H" search '!' --from abcdefghi >"$work/out" 2>"$work/err" &
for _ in $(seq 200); do ls "$H/temp" | grep -q '\$\$\$$' && break; sleep 0.05; done
kill -INT $!; wait $!
expect_same "Ctrl-C in a search: status" "$?" 130
expect_text "Ctrl-C in a search: said" err "cancelled"
[ -s "$work/out" ] && passed=$((passed + 1)) || { failed=$((failed + 1)); echo "FAIL Ctrl-C: nothing found so far was printed"; }
expect_empty_temp "Ctrl-C in a search leaves no file"
check "changes allowed after a broken pipe" 0 wk dict make "$work/home/../huge.txt" again --force

# Closing the terminal (SIGHUP) cancels like Ctrl-C: the old dictionary stays, nothing remains.
before=$(cksum < "$H/lexicons/again.lex")
"$WK" --home "$H" dict make "$work/huge.txt" again --force </dev/null >/dev/null 2>&1 &
wait_for_sort_runs; kill -HUP $!; wait $!
expect_same "hang-up: status" "$?" 129
expect_same "hang-up keeps the old dictionary" "$(cksum < "$H/lexicons/again.lex")" "$before"
expect_empty_temp "hang-up leaves no file"

# kill -9 cannot be caught: the marker it leaves is no lock, and the next run clears its litter.
"$WK" --home "$H" dict make "$work/huge.txt" killed </dev/null >/dev/null 2>&1 &
victim=$!
for _ in $(seq 100); do ls "$H/temp" | grep -q '^TMP' && break; sleep 0.05; done
kill -9 $victim; wait $victim 2>/dev/null
[ -n "$(ls -A "$H/temp")" ] && passed=$((passed + 1)) || { failed=$((failed + 1)); echo "FAIL kill -9 left nothing to clear (too late?)"; }
check "a killed copy blocks nothing" 0 wk dict find cat
expect_empty_temp "the killed copy's marker and work files are gone"
check "make after a killed make" 0 wk dict make "$work/home/../huge.txt" killed
expect_file "no dictionary from the killed make" "$H/lexicons/killed.lxb" absent

# A live copy is honoured, even one that is only waiting for its input.
hold_live_copy waiting
check "a live copy blocks changes" 2 wk dict make "$words" other
expect_text "a live copy's message" err "Another copy of Wordkeg is running"
expect_same "a live copy's marker stays" "$(ls "$H/temp" | grep -c 'wki$')" 1
end_live_copy
check "its death frees changes" 0 wk dict make "$work/home/../huge.txt" other --force
expect_empty_temp "nothing left after the live copy died"

# A copy that dies at any step of installing a dictionary leaves the old one or the new one
# whole under the name; a changed dictionary keeps its creation time and its selection.
printf 'ant\nbee\n' > "$work/old.txt"
printf 'cat\ndog\nemu\n' > "$work/new.txt"
words_of() { "$WK" --home "$H" dict words d 2>&1 | tr '\n' ' '; }
crash() {  # crash POINT EXPECTED-WORDS-AFTER-A-FINISHED-INSTALL COMMAND...
  local point=$1 after=$2
  shift 2
  rm -rf "$H"
  { wk dict make "$work/old.txt" d; wk dict select d; wk dict make "$work/new.txt" n; } >/dev/null 2>&1
  local created
  created=$(wk dict details d | grep Created)
  WORDKEG_FAULT=$point "$@" </dev/null >/dev/null 2>&1
  expect_same "$point $3: killed" "$?" 137
  local got
  got=$(words_of)
  if [ "$point" = install-replaced ]; then
    expect_same "$point $3: new dictionary in place" "$got" "$after"
  elif [ "$got" != "ant bee " ]; then
    failed=$((failed + 1)); echo "FAIL $point $3 $4: '$got' is not the old dictionary"
  else passed=$((passed + 1)); fi
  if [ "$3" = add ] || [ "$3" = remove ]; then
    wk dict list >"$work/out" 2>&1
    expect_text "$point $3: still selected" out "* d.lex"
    expect_same "$point $3: creation kept" "$(wk dict details d | grep Created)" "$created"
  fi
  wk dict list >/dev/null 2>&1
  expect_same "$point $3: litter cleared" "$(ls -A "$H/temp"; ls "$H/lexicons" | grep -v 'lex$\|lxb$\|rnk$')" ""
}
for point in install-staged install-backed-up install-replaced; do
  crash $point "cat dog emu " wk dict make "$work/new.txt" d --force
  crash $point "ant bee cat dog emu " wk dict merge d d n --force
  crash $point "ant bee fox " wk dict add fox d --yes
  crash $point "bee " wk dict remove ant d
done

# Saved results and reports are replaced only when the user says so.
rm -rf "$H"; printf 'cat\ncot\n' > "$work/few.txt"
{ wk dict make "$work/few.txt" few; wk dict select few; } >/dev/null 2>&1
wk search 'c?t' --save "$work/kept" >/dev/null 2>&1
wk results export "$work/kept" "$work/kept.txt" >/dev/null 2>&1
sums() { cat "$work/kept.wkg" "$work/kept.pdx" "$work/kept.txt" | cksum; }
before=$(sums)
check "search --save onto saved results" 1 wk search 'c?t' --from tca --no-use-all --save "$work/kept"
expect_text "replace question" err "kept.wkg
This file already exists"
check "export onto a report" 1 wk results export "$work/kept" "$work/kept.txt"
expect_same "refused replacements change nothing" "$(sums)" "$before"
check "search --save --force" 0 wk search 'c?t' --from tca --no-use-all --save "$work/kept" --force
check "export --force" 0 wk results export "$work/kept" "$work/kept.txt" --force
expect_text "replaced report" kept.txt "From Field: tca"
expect_same "no staging file beside them" "$(ls "$work" | grep -c '^TMP')" 0
mkdir -p "$work/dir"
check "search --save onto a directory" 2 wk search 'c?t' --save "$work/dir"
expect_text "directory refused" err "dir is a directory, not a file name."
check "search --save onto a name ending like a directory" 2 wk search 'c?t' --save "$work/new/"
check "export onto a directory" 2 wk results export "$work/kept" "$work/dir"
expect_same "nothing written beside or inside" "$(ls -A "$work/dir"; ls "$work" | grep -c '^dir\.')" "0"

check "export of a pair onto itself" 2 wk results export "$work/kept" "$work/kept.wkg" --force
check "export onto the pair's index" 2 wk results export "$work/kept" "$work/kept.pdx" --force
ln -s "$work/kept.wkg" "$work/alias.wkg"; ln -s "$work/kept.pdx" "$work/alias.pdx"
check "export onto the pair through another name" 2 wk results export "$work/alias" "$work/kept.wkg" --force
expect_text "its own file refused" err "is the results file being exported"
check "the pair still shows" 0 wk results show "$work/kept"
expect_text "... whole" out "FIND: c?t"
# Odd targets: a link is followed (its file replaced, the link kept), a FIFO or a device is
# written through, "-" is standard output.
printf 'old\n' > "$work/real.txt"; ln -s real.txt "$work/link.txt"; ln -s made.txt "$work/dangling.txt"
check "export onto a link to no file yet" 0 wk results export "$work/kept" "$work/dangling.txt"
expect_same "the link stays and its file is made" \
  "$(readlink "$work/dangling.txt") $(grep -c 'c?t' "$work/made.txt" 2>/dev/null)" "made.txt 1"
check "export onto a symbolic link" 0 wk results export "$work/kept" "$work/link.txt" --force
expect_same "the link stays and its file gets the report" \
  "$(readlink "$work/link.txt") $(grep -c 'c?t' "$work/real.txt")" "real.txt 1"
mkfifo "$work/report.fifo"; timeout 10 cat "$work/report.fifo" > "$work/from-fifo" &
reader=$!
check "export into a FIFO" 0 wk results export "$work/kept" "$work/report.fifo"
wait $reader
expect_same "the FIFO stays and its reader gets the report" \
  "$([ -p "$work/report.fifo" ] && echo fifo) $(grep -c 'c?t' "$work/from-fifo")" "fifo 1"
# A device of its own (as root), so that a fault replaces that and not the system's /dev/null.
if mknod "$work/null" c 1 3 2>/dev/null; then
  check "export into a character device" 0 wk results export "$work/kept" "$work/null" --force
  expect_same "the device stays" "$([ -c "$work/null" ] && echo device)" device
fi
check "export to standard output" 0 wk results export "$work/kept" -
expect_text "... prints the report" out "Find Field: c?t"
expect_file "... and makes no file named -" "$H/-" absent
check "a pair cannot be saved to standard output" 2 wk search 'c?t' --save -
# A search cut short (a signal, a full disk) leaves the file it was to replace as it was.
printf '%s\n' {a..l}{a..l}{a..l} > "$work/w3.txt"
{ wk dict make "$work/w3.txt" w3; wk dict select w3; } >/dev/null 2>&1
before=$(sums)
timeout -s TERM 1 "$WK" --home "$H" search '* * * *' --from abcdefghijkl --save "$work/kept.txt" \
  --force >/dev/null 2>"$work/err"
expect_same "a cancelled search --save --force keeps the old report" "$(sums)" "$before"
expect_text "... and says so" err "kept.txt was not saved: the search did not run to its end"
if [ "$(id -u)" = 0 ] && mkdir -p "$work/small" && mount -t tmpfs -o size=64k tmpfs "$work/small" 2>/dev/null; then
  cp -r "$H" "$work/small/home"
  "$WK" --home "$work/small/home" search '* *' --from abcdefgh --no-use-all --dict w3 --save "$work/kept.txt" \
    --force >/dev/null 2>"$work/err"
  expect_same "a search into a full disk fails" "$?" 2
  expect_text "... saying where" err "The disk holding $work/small/home/temp is full: the search stopped"
  expect_same "... and saves nothing" "$(sums)" "$before"
  printf '%s\n' {a..l}{a..l}{a..l}{a..l} > "$work/w4.txt"
  check "a make into a full disk fails" 2 "$WK" --home "$work/small/home" dict make "$work/w4.txt" w4
  expect_text "... saying where" err "The disk holding $work/small/home/temp is full."
  expect_same "... with no summary" "$(grep -c '^kept' "$work/err")" 0
  umount "$work/small"
fi
# A reader that leaves early ends every printing command as a broken pipe does.
wk search '* *' --from abcdefgh --no-use-all --dict w3 --save "$work/big.wkg" >/dev/null 2>&1
wk results show "$work/big.wkg" 2>/dev/null | head -1 >/dev/null
expect_same "results show into head" "${PIPESTATUS[0]}" 141

# Word lists from a pipe, standard input or the wrong kind of file.
printf 'cat\ndog\n' | "$WK" --home "$H" dict make - piped >/dev/null 2>&1
expect_same "make from standard input" "$("$WK" --home "$H" dict words piped | tr '\n' ' ')" "cat dog "
mkfifo "$work/fifo"
printf 'emu\n' > "$work/fifo" &
check "make from a FIFO" 0 wk dict make "$work/fifo" fifo
check "make from a directory" 2 wk dict make "$work" dir
expect_text "directory message" err "is a directory, not a word list."
check "make from /dev/null" 2 wk dict make /dev/null null
expect_text "empty message" err "/dev/null is empty"
expect_empty_temp "no spooled list remains"

# Damaged and oddly named dictionaries.
rm -rf "$H"
printf 'cat\ndog\nemu\nfox\ngnu\n' > "$work/five.txt"
for name in a b; do wk dict make "$work/five.txt" $name >/dev/null 2>&1; done
printf '\377%.0s' $(seq 18) | dd of="$H/lexicons/b.lex" bs=1 seek=2096 conv=notrunc 2>/dev/null
wk dict select a b >/dev/null 2>&1
check "a multi-word search passes over a damaged dictionary" 0 wk search '* *' --from catdog
expect_same "it finds the readable one's words" "$(tr '\n' '|' < "$work/out")" "cat dog|dog cat|"
expect_same "the damage is told once" "$(grep -c 'damaged and cannot be read' "$work/err")" 1
check "find skips a damaged dictionary" 0 wk dict find cat
expect_same "find names the readable one" "$(cat "$work/out")" "a.lex"
expect_same "the damage is reported once" "$(grep -c 'damaged and cannot be read' "$work/err")" 1
check "remove goes on past a damaged dictionary" 0 wk dict remove cat a
check "add goes on past a damaged dictionary" 0 wk dict add yak a --yes
# Damage right after words a pool scan passed over unread (abz, after abc lacked its b): the
# words read before the damage are all counted, whichever way they were read.
printf '%s\n' a b z ab az zz abc abz azz zzz zzza zzzb zzzz aaaaa zzzzz > "$work/runs.txt"
wk dict make "$work/runs.txt" runs >/dev/null 2>&1
printf '\104' | dd of="$H/lexicons/runs.lex" bs=1 seek=2116 conv=notrunc 2>/dev/null  # azz
check "a pool scan meets damage after words it passed over" 0 \
  wk search '*' --from acxyzq --no-use-all --dict runs
expect_same "the words before the damage" "$(tr '\n' ' ' < "$work/out")" "a z az "
expect_text "the damage is told" err "damaged and cannot be read"
expect_text "every word read before it is counted" err "Checked: 8"
wk dict make "$work/five.txt" c >/dev/null 2>&1
printf '\0\0' | dd of="$H/lexicons/c.lex" bs=1 seek=2092 conv=notrunc 2>/dev/null  # its magic
check "a dictionary whose header is damaged can be deleted" 0 wk dict delete c --yes
expect_file "... and is gone" "$H/lexicons/c.lex" absent
mv "$H/lexicons/a.lex" "$H/lexicons/Names.LEX"
check "add to a dictionary listed in capitals" 0 wk dict add zebu Names.LEX --yes
check "remove from it by its bare name" 0 wk dict remove dog Names
expect_same "the listed file is the one changed" "$(wk dict words Names.LEX | tr '\n' ' ')" "emu fox gnu yak zebu "
expect_file "no lower-case twin appears" "$H/lexicons/names.lex" absent

# Hyphen twins ("co-op", "coo-p" are equal in the dictionary order) between copies of a word.
printf 'co-op\ncoo-p\nco-op\nc-oop\nco-op\n' > "$work/twins.txt"
printf 'co-op\nc-oop\n' > "$work/twins2.txt"
wk dict make "$work/twins.txt" t1 >/dev/null 2>&1
wk dict make "$work/twins2.txt" t2 >/dev/null 2>&1
expect_same "each twin once after make" "$(wk dict words t1 | sort | tr '\n' ' ')" "c-oop co-op coo-p "
wk dict merge t3 t1 t2 >/dev/null 2>&1
expect_same "each twin once after merge" "$(wk dict words t3 | sort | tr '\n' ' ')" "c-oop co-op coo-p "

# Messages that say what is wrong.
check "over-long field" 2 wk search 'abcdefghijabcdefghijabcdefghijabcdefghijab'
expect_text "over-long message" err "Too long: at most 40 characters fit this field: FIND"
check "non-ASCII character" 2 wk search 'café'
expect_text "non-ASCII shown whole" err "'é' cannot be typed into this field: FIND"
check "trailing hyphen" 2 wk dict add ab- t1
expect_text "trailing hyphen message" err "ab- is not a valid Wordkeg word."
check "multi-word search without words" 1 wk search '* *' --from eeeeee --dict t1
mkdir -p "$work/empty"; printf '[PATHS]\nDICTIONARIES=\n' > "$work/empty/wordkeg.ini"
"$WK" --home "$work/empty" dict list >/dev/null 2>&1
expect_file "an empty DICTIONARIES= means the default directory" "$work/empty/lexicons"

# A home the user may not write: reading goes on, changing is refused with a failing status.
# As root, permissions bind only another user: the tests then run as nobody, from a copy of the
# program that nobody may run wherever the build lies, in a folder nobody may enter.
cp "$WK" "$work/wordkeg-copy"
as_other() {
  if [ "$(id -u)" = 0 ]; then
    (cd "$work" && setpriv --reuid=65534 --regid=65534 --clear-groups "$work/wordkeg-copy" "$@")
  else "$WK" "$@"; fi
}
chmod -R a+rX "$work"
chmod -R a-w "$H"
for cmd in "dict list" "dict details t1" "dict words t1" "dict find zebu"; do
  # shellcheck disable=SC2086
  check "read-only home: $cmd" 0 as_other --home "$H" $cmd
done
check "read-only home: select refused" 2 as_other --home "$H" dict select t1
chmod a+w "$H" "$H/temp"
check "read-only dictionaries: select fails" 2 as_other --home "$H" dict select t1
expect_text "read-only dictionaries: message" err "t1.lex"
chmod -R u+w "$H"

finish
