#!/usr/bin/env bash
# How well --rank puts the phrase people want near the top: for 22 well-known anagrams, whether
# it is among the first 20 lines of `search FIND --from LETTERS --suppress-permutations --rank
# --limit 20`, against the first 20 found unranked (dictionary order), on british-english-huge.
# Usage: bench/rank_quality.sh [path/to/wordkeg]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
wk="${1:-$root/build/bin/wordkeg}"
[ -x "$wk" ] || { echo "build first: cmake -S . -B build && cmake --build build" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$wk" --home "$work" dict make /usr/share/dict/british-english-huge british >/dev/null 2>&1
"$wk" --home "$work" dict select british >/dev/null 2>&1

# LETTERS|PHRASE: the phrase's words in any order and letter case count as found.
cases="clinteastwood|old west action
astronomer|moon starer
dormitory|dirty room
theeyes|they see
agentleman|elegant man
funeral|real fun
elevenplustwo|twelve plus one
conversation|voices rant on
themorsecode|here come dots
debitcard|bad credit
schoolmaster|the classroom
motherinlaw|woman hitler
thedetectives|detect thieves
punishment|nine thumps
thenudistcolony|no untidy clothes
presbyterian|best in prayer
theearthquakes|that queer shake
santa|satan
fourthofjuly|joyful fourth
thehilton|hint hotel
atelescope|to see place
twelveplusone|eleven plus two"
words() { tr 'A-Z ' 'a-z\n' | sort | tr '\n' ' '; }
ranked=0 unranked=0 total=0
while IFS='|' read -r letters phrase; do
  total=$((total + 1))
  find=$(echo "$phrase" | sed 's/[a-z]*/*/g')
  want=$(echo "$phrase" | words)
  hit() { while read -r line; do [ "$(echo "$line" | words)" = "$want" ] && return 0; done; return 1; }
  "$wk" --home "$work" search "$find" --from "$letters" --suppress-permutations --rank --limit 20 \
    2>/dev/null | hit && ranked=$((ranked + 1)) || echo "not in the ranked top 20: $phrase"
  "$wk" --home "$work" search "$find" --from "$letters" --suppress-permutations --limit 20 \
    2>/dev/null | hit && unranked=$((unranked + 1)) || true
done <<<"$cases"
printf 'well-known anagrams in the top 20: ranked %d of %d, unranked %d of %d (target: well above 13)\n' \
  "$ranked" "$total" "$unranked" "$total"
