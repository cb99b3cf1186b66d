#!/usr/bin/env bash
# End-to-end tests of "wordkeg search" options beyond the window's: each checked against the
# plain search it extends (same results, same order), and results printed as they are found.
# Usage: search_commands_test.sh path/to/wordkeg
set -u
. "$(dirname "$0")/lib.sh" "$1"
list=/usr/share/dict/british-english-huge
[ -r "$list" ] || { echo "needs $list (wbritish-huge)"; exit 1; }

wk dict make "$list" british >/dev/null 2>&1
wk dict make /usr/share/dict/american-english-huge american >/dev/null 2>&1
wk dict select british >/dev/null 2>&1

# plain NAME ARGS...: the plain search's results into $work/NAME
plain() {
  local name=$1
  shift
  wk search "$@" >"$work/$name" 2>/dev/null
}
# same_as NAME WANT-FILE EXPECTED-STATUS SEARCH-ARGS...: the results equal the file, line by line
same_as() {
  local name=$1 want=$2 status=$3
  shift 3
  check "$name: status" "$status" wk search "$@"
  if cmp -s "$work/out" "$want"; then passed=$((passed + 1)); else
    failed=$((failed + 1)); echo "FAIL $name: results differ"; diff "$want" "$work/out" | head -5
  fi
}
# Keeps the lines whose every word has MIN..MAX letters (0: no bound), hyphens not counted.
by_length() {
  awk -v lo="$1" -v hi="$2" '{ ok = 1
    for (i = 1; i <= NF; i++) { w = $i; gsub("-", "", w)
      if (length(w) < lo || (hi > 0 && length(w) > hi)) ok = 0 }
    if (ok) print }' "$3"
}

# Word lengths: applied inside the search, so Suppress Permutations keeps working.
plain two '* *' --from listen
by_length 3 0 "$work/two" >"$work/want"
same_as "two words, at least 3 letters" "$work/want" 0 '* *' --from listen --min-length 3
plain three '* * *' --from earnestly --suppress-permutations
[ "$(wc -l <"$work/three")" -gt 100 ] && passed=$((passed + 1)) ||
  { failed=$((failed + 1)); echo "FAIL three-word reference: too few results"; }
by_length 3 0 "$work/three" >"$work/want"
same_as "three words, suppressed, at least 3 letters" "$work/want" 0 \
  '* * *' --from earnestly --suppress-permutations --min-length 3
by_length 2 4 "$work/three" >"$work/want"
same_as "three words, suppressed, 2 to 4 letters" "$work/want" 0 \
  '* * *' --from earnestly --suppress-permutations --min-length 2 --max-length 4
plain single 'c*t'
by_length 0 4 "$work/single" >"$work/want"
same_as "single word, at most 4 letters" "$work/want" 0 'c*t' --max-length 4
same_as "no word that long" /dev/null 1 'c?t' --min-length 4
check "bounds the wrong way round" 2 wk search 'c*' --min-length 5 --max-length 3
check "a bound of 0" 2 wk search 'c*' --min-length 0

# --limit: the first N results, a complete answer (status 0), the count of what was printed.
head -5 "$work/three" >"$work/want"
same_as "limit" "$work/want" 0 '* * *' --from earnestly --suppress-permutations --limit 5
expect_text "limit: count" err "Found: 5"
same_as "limit above the count" "$work/single" 0 'c*t' --limit 100000
check "limit of 0" 2 wk search 'c*' --limit 0
check "limit and save" 0 wk search 'c*t' --limit 3 --save "$work/three.wkg"
check "limit: saved pair" 0 wk results show "$work/three.wkg"
expect_text "limit: saved count" out "Found: 3"
expect_text "limit: the pair cannot say it was limited" out "Other options (--limit, --blanks, lengths, --distinct, --dict): not recorded"
check "limit and blanks in a saved report" 0 wk search '*' --from retain --blanks 1 --limit 3 --save "$work/three.txt"
expect_text "the report names them" three.txt "Options: --limit 3 --blanks 1"

# --distinct: each result once, whatever its case or dictionary, first one kept.
wk dict select american >/dev/null 2>&1
plain both 'c?t'
awk '!seen[tolower($0)]++' "$work/both" >"$work/want"
[ "$(wc -l <"$work/want")" -lt "$(wc -l <"$work/both")" ] && passed=$((passed + 1)) ||
  { failed=$((failed + 1)); echo "FAIL distinct reference: no repeats to drop"; }
same_as "distinct" "$work/want" 0 'c?t' --distinct
wk dict deselect american >/dev/null 2>&1

# --blanks: tiles that stand for any letter, each word made of the FROM letters and at most N
# others; with Use All every tile is used.
check "blank completes a word" 0 wk search '*' --from quik --blanks 1
expect_same "blank: every tile used" "$(tr '\n' ' ' <"$work/out")" "quick quirk "
check "a pattern's letter from a blank" 0 wk search '?a?' --from ct --blanks 1
expect_same "a pattern's letter from a blank: results" "$(tr '\n' ' ' <"$work/out")" "Cat cat "
check "blanks without FROM" 2 wk search '*' --blanks 1
expect_text "blanks without FROM: said" err "needs the FROM letters"
check "two-word anagram with blanks" 0 wk search '* *' --from qick --blanks 2 --limit 3
expect_text "blank as a vowel" out "quick"
plain quick '*' --from quick
same_as "no blanks at all" "$work/quick" 0 '*' --from quick --blanks 0

plain found_order '*' --from crosswords --no-use-all --min-length 6
awk '{ print length($0) "\t" NR "\t" $0 }' "$work/found_order" | sort -k1,1nr -k2,2n | cut -f3 >"$work/want"
same_as "longest first, each length in the order found" "$work/want" 0 \
  '*' --from crosswords --no-use-all --min-length 6 --longest-first
check "longest first is for single words" 2 wk search '* *' --from listen --longest-first

# Ranked: the same results, commonest first; with --limit the first N of that order.
plain ranked '* *' --from clinteastwood --suppress-permutations --rank
expect_same "ranked: every result once" "$(sort "$work/ranked" | md5sum)" \
  "$(wk search '* *' --from clinteastwood --suppress-permutations 2>/dev/null | sort | md5sum)"
head -20 "$work/ranked" >"$work/best"
same_as "ranked --limit: the best of all" "$work/best" 0 '* *' --from clinteastwood \
  --suppress-permutations --rank --limit 20
check "rank or longest first" 2 wk search '*' --from listen --rank --longest-first
check "ranked and distinct" 0 wk search 'c?t' --distinct --rank
# Ctrl-C during a ranked search prints the best of what it found, as an unranked one keeps
# what it printed.
"$WK" --home "$H" search '* * * *' --from clinteastwood --rank >"$work/int" 2>/dev/null &
ranked=$!
sleep 1
kill -INT "$ranked"
wait "$ranked"
expect_same "ranked, interrupted: status" "$?" 130
[ -s "$work/int" ] && passed=$((passed + 1)) || { failed=$((failed + 1)); echo "FAIL ranked, interrupted: nothing printed"; }
expect_same "each spelling's best-ranked form" "$(head -1 "$work/out")" cat
# The levels read from the word lists themselves: down the ranked list, the tier of each
# result's rarest word never falls (levels 10 and 20 one tier, 35-40, 50-55, then each level).
rank_tiers_hold() {
  python3 - "$1" <<'PY'
import os, re, sys
lists = {}
folder = "/usr/share/dict/scowl"
for name in os.listdir(folder):
    m = re.fullmatch(r"(english|british|american|british_z)-([a-z-]+)\.(\d+)", name)
    if not m:
        continue
    kind = {"words": 0, "contractions": 0, "upper": 1, "proper-names": 1, "abbreviations": 2}.get(m[2])
    if kind is None:
        continue
    for word in open(os.path.join(folder, name), encoding="utf-8", errors="replace").read().split():
        got = lists.setdefault(word, [0, 0, 0])
        got[kind] = min(got[kind] or 999, int(m[3]))
def level(word):
    w, n, a = lists.get(word, [0, 0, 0])
    found = w if word[0].islower() else (n or w)
    found = found or (max(a, 80) if a else 100)
    return max(found, 70) if len(word) == 1 else found
def tier(lv):
    return next(i for i, top in enumerate([20, 40, 55, 60, 70, 80, 95, 100]) if lv <= top)
tiers = [max(tier(level(w)) for w in line.split()) for line in open(sys.argv[1])]
sys.exit(0 if tiers == sorted(tiers) and len(set(tiers)) > 1 else 1)
PY
}
rank_tiers_hold "$work/ranked" && passed=$((passed + 1)) || { failed=$((failed + 1)); echo "FAIL ranked tiers"; }
check "ranked and saved" 0 wk search '* *' --from clinteastwood --suppress-permutations --rank \
  --limit 20 --save "$work/ranked.txt"
expect_same "the saved report in the ranked order" "$(tail -20 "$work/ranked.txt")" "$(cat "$work/best")"
expect_file "a side file beside each dictionary ranked" "$H/lexicons/british.rnk"
rm -f "$H"/lexicons/*.rnk
plain found '*' --from listen
WORDKEG_SCOWL="$work/none" same_as "no word lists: unranked" "$work/found" 0 '*' --from listen --rank
expect_same "... said in one line" "$(grep -c 'come unranked: there are no word lists' "$work/err")" 1

# FROM typed as a name, with its blanks: the same letters.
plain eastwood '* *' --from clinteastwood --suppress-permutations --limit 20
same_as "FROM with blanks" "$work/eastwood" 0 '* *' --from "Clint Eastwood" --suppress-permutations --limit 20
# Include and Exclude shape single words: refused beside a FIND of several words, not ignored.
check "include with several words" 2 wk search '* *' --from catdog --include z
expect_text "include with several words: said" err "apply to a FIND of one word only"
check "include and exclude overlap first" 2 wk search '* *' --from saeqby --include b --exclude b
expect_text "the window's overlap message" err "You cannot Include and Exclude the same letter(s)."

# Results as they are found: the first line reaches a reader while the search still runs.
rm -f "$work/pipe"; mkfifo "$work/pipe"
"$WK" --home "$H" search '* * *' --from astronomerwatch >"$work/pipe" 2>/dev/null &
search=$!
exec 4<"$work/pipe"
first=""
read -r -t 20 first <&4
alive=no
kill -0 "$search" 2>/dev/null && alive=yes
expect_same "first result while the search runs" "$alive" yes
[ -n "$first" ] && passed=$((passed + 1)) || { failed=$((failed + 1)); echo "FAIL no first line"; }
kill -INT "$search" 2>/dev/null
cat <&4 >/dev/null
exec 4<&-
wait "$search"
expect_same "interrupted after streaming: status" "$?" 130
expect_empty_temp "streamed search leaves no file"

finish
