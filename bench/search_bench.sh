#!/usr/bin/env bash
# Searching, against peers on the same word list (british-english-huge), in one run:
#   patterns against "grep -x" on the plain list; words from the letters of "crosswords" against
#   "an -w"; three-word anagrams of a 13-letter phrase against "an -l 3" and "wordplay -d3".
# Times are the best of 5 wall-clock runs of whole commands; ratios are ours / peer (below 1 is
# faster). Usage: bench/search_bench.sh [path/to/wordkeg]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
wk="${1:-$root/build/bin/wordkeg}"
list=/usr/share/dict/british-english-huge
[ -x "$wk" ] || { echo "build first: cmake -S . -B build && cmake --build build" >&2; exit 2; }
for tool in an wordplay; do
  [ -x "/usr/games/$tool" ] || DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$tool" >/dev/null
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$wk" --home "$work" dict make "$list" british >/dev/null 2>&1
"$wk" --home "$work" dict select british >/dev/null 2>&1

source "$root/bench/common.sh"
compare() {  # compare LABEL OURS PEER-NAME PEER
  printf '%-44s wordkeg %.3f s  %-8s %.3f s  ratio %.2f\n' "$1" "$2" "$3" "$4" "$(echo "$2 / $4" | bc -l)"
}
count() { "$@" 2>/dev/null | wc -l; }

for pattern in 'c?t' 'c*t' '?a*' '*ing'; do
  regex=$(printf '%s' "$pattern" | sed 's/?/[a-z]/g; s/\*/[a-z]*/g')
  ours=$(best_of 5 "$wk" --home "$work" search "$pattern")
  peer=$(best_of 5 env LC_ALL=C grep -x -i "$regex" "$list")
  compare "pattern $pattern (target: not slower than grep)" "$ours" grep "$peer"
done

ours=$(best_of 5 "$wk" --home "$work" search '*' --from crosswords --no-use-all)
peer=$(best_of 5 /usr/games/an -w -d "$list" crosswords)
compare "words from crosswords (target: 10x faster)" "$ours" "an -w" "$peer"

phrase=steamrollered
ours=$(best_of 5 "$wk" --home "$work" search '* * *' --from "$phrase" --suppress-permutations)
an=$(best_of 5 /usr/games/an -l 3 -d "$list" "$phrase")
wp=$(best_of 5 /usr/games/wordplay "$phrase" -d3 -s -f "$list")
compare "3-word anagrams of $phrase (not slower)" "$ours" "an -l 3" "$an"
compare "3-word anagrams of $phrase (not slower)" "$ours" wordplay "$wp"
printf 'result lines: wordkeg %s (one order per word set), an %s, wordplay %s (both also print shorter anagrams)\n' \
  "$(count "$wk" --home "$work" search '* * *' --from "$phrase" --suppress-permutations)" \
  "$(count /usr/games/an -l 3 -d "$list" "$phrase")" "$(count /usr/games/wordplay "$phrase" -d3 -s -f "$list")"
