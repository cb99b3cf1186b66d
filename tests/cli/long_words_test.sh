#!/usr/bin/env bash
# The home's long-words option on the command line: how it is set and shown, and what making,
# searching and changing dictionaries do with words of 10 to 20 letters with it on and off.
# Usage: long_words_test.sh PATH-TO-wordkeg
set -uo pipefail
. "$(dirname "$0")/lib.sh"

check "option shown on a new home" 0 wk config long-words
expect_same "off by default" "$(cat "$work/out")" "long-words: off (words of 1 to 9 letters)"
check "a state other than on or off" 2 wk config long-words yes
expect_text "states named" err "on,off"

printf 'cat\nQuartermaster\ncounter-revolutionary\ncounterrevolutionaries\nreading\n' >"$work/list"
check "make without long words" 0 wk dict make "$work/list" words
expect_text "long words counted as skipped" err "skipped 3 lines: 3 over 9 letters"
wk dict select words >/dev/null 2>&1
check "a long FIND word" 2 wk search 'quarter??????'
expect_text "the limit named" err \
  "exceeding the maximum length supported. The longest word this home takes has 9 letters (20 with long words on)."
check "a minimum length past the limit" 2 wk search '*' --min-length 12
expect_text "the option's limit named" err "--min-length: must be a whole number from 1 to 9"

check "a minimum length past any home's limit" 2 wk search '*' --min-length 21
expect_text "this home's limit named" err "--min-length: must be a whole number from 1 to 9"
check "letters for one word longer than the home takes" 1 wk search '*' --from quartermaster
expect_text "why nothing was found" err "The longest word this home takes has 9 letters"
check "a long word to add" 2 wk dict add Quartermaster words
expect_text "the refusal names the limit" err \
  "Quartermaster is not a valid Wordkeg word. The longest word this home takes has 9 letters"
printf '[OPTIONS]\nLONG_WORDS=maybe\n' >>"$H/wordkeg.ini"
check "a value neither on nor off" 0 wk config long-words
expect_text "taken as off, and said" err "is neither 1 nor 0: taken as off"
sed -i 's/=maybe/=yes/' "$H/wordkeg.ini"
check "yes means on" 0 wk config long-words
expect_same "yes read as on" "$(cat "$work/out")" "long-words: on (words of 1 to 20 letters)"
check "option set off" 0 wk config long-words off

check "option set on" 0 wk config long-words on
expect_same "set on" "$(cat "$work/out")" "long-words: on (words of 1 to 20 letters)"
expect_text "made dictionaries keep their words" err "make them again from their word lists"
expect_same "one key in the ini" "$(grep -ci long_words "$H/wordkeg.ini")" 1
expect_text "kept in the ini file" "home/wordkeg.ini" "LONG_WORDS=1"
check "make with long words" 0 wk dict make "$work/list" words --force
expect_text "only the word over twenty skipped" err "kept 4 words; skipped 1 line: 1 over 20 letters"
wk dict select words >/dev/null 2>&1
check "a long pattern" 0 wk search 'quarter??????'
expect_same "long pattern found" "$(cat "$work/out")" "Quartermaster"
check "anagram of twenty letters" 0 wk search '*' --from revolutionarycounter
expect_same "anagram found" "$(cat "$work/out")" "counter-revolutionary"
check "two words, one long" 0 wk search '* *' --from quartermastercat --suppress-permutations
expect_same "sequence found" "$(cat "$work/out")" "cat Quartermaster"
check "a word of twenty-one letters" 2 wk search '*' --min-length 21
check "add a long word" 0 wk dict add Tercentenarians words

check "option set off" 0 wk config long-words off
check "add where long words are off" 0 wk dict add dog words
check "every stored word kept" 0 wk dict words words
expect_same "words as stored" "$(tr '\n' ' ' <"$work/out")" \
  "cat dog reading Quartermaster Tercentenarians counter-revolutionary "
check "searches see nine letters" 0 wk search '*'
expect_same "short words only" "$(tr '\n' ' ' <"$work/out")" "cat dog reading "
check "a long word is no word to add" 2 wk dict add Quartermasters words

if [ "$(id -u)" != 0 ]; then
  chmod a-w "$H"
  check "ini that cannot be written" 2 wk config long-words on
  expect_text "the failure named" err "Unable to write File: "
  chmod u+w "$H"
fi
finish
