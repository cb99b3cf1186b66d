#!/usr/bin/env bash
# Searching, against peers on the same words (british-english-huge as compiled, given to the
# peers as a plain list), in one run:
#   patterns against "grep -x" on the plain list; words from the letters of "crosswords" against
#   "an -w"; three-word anagrams of 13, 15 and 18 letters against "an -l 3" and "wordplay -d3";
#   four-word anagrams of 13 letters against "wordplay -d4"; the time to the first result of a
#   long search against its whole run; ranked three-word searches (--rank) against the same
#   searches unranked; then the peak memory of our searches, ranked ones among them.
# Times are the best of N wall-clock runs of whole commands (more runs for the short ones: this
# machine's timings vary by a third from run to run), ours and the peer's run in turns so that
# both meet the same moments of the machine; ratios are ours / peer (below 1 is faster), each
# line with its target. Usage: bench/search_bench.sh [path/to/wordkeg]
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
# The peers read the words the dictionary holds, as a plain list.
words="$work/words.txt"
"$wk" --home "$work" dict words british >"$words"

# The files just made reach the disk before anything is timed: a search's own small files
# would otherwise wait behind them.
sync
source "$root/bench/common.sh"
compare() {  # compare LABEL OURS PEER-NAME PEER TARGET
  printf '%-40s wordkeg %7.3f s  %-12s %7.3f s  ratio %5.2f  (target %s)\n' \
    "$1" "$2" "$3" "$4" "$(echo "$2 / $4" | bc -l)" "$5"
}
compare_in_turns() {  # compare_in_turns LABEL PEER-NAME TARGET N OURS... -- PEER...
  local label=$1 name=$2 target=$3 n=$4 times
  shift 4
  read -r -a times <<<"$(best_in_turns "$n" "$@")"
  compare "$label" "${times[0]}" "$name" "${times[1]}" "$target"
}
ours() { "$wk" --home "$work" search "$@"; }
# Output into a file, as a user keeps it: GNU grep stops at its first match when its output is
# /dev/null, which would time nothing.
into_file() { "$@" >"$work/out"; }

for pattern in 'c?t' '*ing' '?a*e' '*'; do
  regex=$(printf '%s' "$pattern" | sed 's/?/[a-z]/g; s/\*/[a-z]*/g')
  target="<= 1.5"
  [ "$pattern" = 'c?t' ] && target="<= 1"
  compare_in_turns "pattern $pattern" "grep -x" "$target" 9 into_file ours "$pattern" -- \
    into_file env LC_ALL=C grep -x -i "$regex" "$words"
done

compare_in_turns "words from crosswords" "an -w" "<= 0.1" 9 ours '*' --from crosswords \
  --no-use-all -- /usr/games/an -w -d "$words" crosswords

for phrase in clinteastwood astronomerwatch thequickbrownfoxes; do
  # an takes minutes on the longer phrases: once is enough to show the distance.
  [ "$phrase" = clinteastwood ] && compare "3 words from $phrase (${#phrase})" \
    "$(best_of 3 ours '* * *' --from "$phrase" --suppress-permutations)" "an -l 3" \
    "$(best_of 1 /usr/games/an -l 3 -d "$words" "$phrase")" "< 1"
  compare_in_turns "3 words from $phrase (${#phrase})" "wordplay -d3" "<= 0.2" 5 \
    ours '* * *' --from "$phrase" --suppress-permutations -- \
    /usr/games/wordplay "$phrase" -d3 -s -f "$words"
done
compare_in_turns "4 words from clinteastwood (13)" "wordplay -d4" "<= 1" 3 \
  ours '* * * *' --from clinteastwood --suppress-permutations -- \
  /usr/games/wordplay clinteastwood -d4 -s -f "$words"

# Results as they are found: the time to the first line against the whole run. A whole run of
# a fraction of a second leaves the first line little but what any run pays before its first
# word (the program's start and the subset of the dictionary, about 10 ms): within 15 ms passes.
first_line() { ours "$@" | head -1; }
for suppress in --suppress-permutations --use-all; do
  read -r first whole <<<"$(best_in_turns 3 first_line '* * *' --from astronomerwatch \
    "$suppress" -- ours '* * *' --from astronomerwatch "$suppress")"
  printf '%-40s first %7.3f s  whole run %7.3f s  ratio %5.3f  (target < 0.05 or < 0.015 s)\n' \
    "first line, astronomerwatch $suppress" "$first" "$whole" "$(echo "$first / $whole" | bc -l)"
done

# Ranking holds every result until the end (in memory, then in sorted runs on disk): its cost
# against the same search printing as it goes.
for phrase in clinteastwood thequickbrownfoxes; do
  compare_in_turns "3 words from $phrase, --rank" "unranked" "< 1.5" 3 \
    ours '* * *' --from "$phrase" --suppress-permutations --rank -- \
    ours '* * *' --from "$phrase" --suppress-permutations
done

peak=0
for args in "* * *|--from|thequickbrownfoxes" "* * *|--from|thequickbrownfoxes|--rank" \
            "* * * *|--from|clinteastwood" "*|--no-use-all"; do
  IFS='|' read -r -a search <<<"$args"
  /usr/bin/time -o "$work/peak" -f %M "$wk" --home "$work" search "${search[@]}" \
    --suppress-permutations >/dev/null 2>&1 || true
  kb=$(tail -1 "$work/peak")
  [ "$kb" -gt "$peak" ] && peak=$kb
done
printf 'peak memory of these searches: %d KB (target < 16384 KB)\n' "$peak"
