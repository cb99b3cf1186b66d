#!/usr/bin/env bash
# The man page and the bash completion the build makes from the program's --help texts: every
# command is documented, and the completion offers what the program takes.
# Usage: docs_test.sh path/to/wordkeg DOCS-DIRECTORY
set -u
. "$(dirname "$0")/lib.sh" "$1"
docs=$2

cp "$docs/wordkeg.1" "$work/man"
for section in "wordkeg dict make" "wordkeg search" "wordkeg results export"; do
  expect_text "man page: $section" man ".SS $section"
done
grep -q -- 'stop after N results' "$docs/wordkeg.1" && passed=$((passed + 1)) ||
  { failed=$((failed + 1)); echo "FAIL man page: --limit undocumented"; }
grep -q "^\.TH WORDKEG 1 \"\" \"$("$WK" --version)\"" "$docs/wordkeg.1" && passed=$((passed + 1)) ||
  { failed=$((failed + 1)); echo "FAIL man page: no version in its title"; }

# complete WORDS...: what the completion offers for the last word.
complete_words() {
  bash -c '. "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _wordkeg
           [ ${#COMPREPLY[@]} -eq 0 ] || printf "%s\n" "${COMPREPLY[@]}"' _ "$docs/wordkeg.bash" "$@" | sort | tr '\n' ' '
}
expect_same "complete a command" "$(complete_words wordkeg se)" "search serve "
expect_same "complete a dict command" "$(complete_words wordkeg dict m)" "make merge "
expect_same "complete a search option" "$(complete_words wordkeg search 'c?t' --li)" "--limit "
expect_same "complete after the home" "$(complete_words wordkeg --home /tmp re)" "results "
expect_same "complete an option of make" "$(complete_words wordkeg dict make list.txt d --u)" \
  "--unique "
expect_same "a home's value is no command" "$(complete_words wordkeg --home dict sea)" "search "
expect_same "complete the long-words states" "$(complete_words wordkeg config long-words o)" "off on "
expect_same "a file where make wants its list" "$(complete_words wordkeg dict make '')" ""
expect_same "no option where FROM letters go" "$(complete_words wordkeg search c --from '')" ""
# Dictionary names come from the home named on the line.
printf 'cat\n' >"$work/list.txt"
wk dict make "$work/list.txt" alpha >/dev/null 2>&1
wk dict make "$work/list.txt" beta >/dev/null 2>&1
PATH="$(dirname "$WK"):$PATH"
expect_same "dictionary names to select" "$(complete_words wordkeg --home "$H" dict select '')" \
  "alpha beta "
expect_same "a dictionary name for --dict" \
  "$(complete_words wordkeg --home "$H" search 'c*' --dict b)" "beta "
grep -q '^\.SH EXIT STATUS' "$docs/wordkeg.1" && passed=$((passed + 1)) ||
  { failed=$((failed + 1)); echo "FAIL man page: no exit status"; }
finish
