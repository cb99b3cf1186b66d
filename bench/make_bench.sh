#!/usr/bin/env bash
# Making a dictionary, against "LC_ALL=C sort -u" of the same list, in one run:
#   1. time to make british-english-huge (best of 5) and the ratio to sort -u;
#   2. peak memory making one from a list ten times that size, beside sort -u's;
# each in a home of nine-letter words and in one with long words (1 to 20 letters).
# Usage: bench/make_bench.sh [path/to/wordkeg]   (default: build/bin/wordkeg)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
wk="${1:-$root/build/bin/wordkeg}"
list=/usr/share/dict/british-english-huge
[ -x "$wk" ] || { echo "build first: cmake -S . -B build && cmake --build build" >&2; exit 2; }
[ -r "$list" ] || { echo "needs the wbritish-huge package" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

source "$root/bench/common.sh"
peak_kb() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1; }

"$wk" --home "$work/long" config long-words on >/dev/null 2>&1
peer=$(best_of 5 env LC_ALL=C sort -u "$list" -o "$work/sorted")
for home in h long; do
  label="nine letters"
  [ $home = long ] && label="long words"
  ours=$(best_of 5 "$wk" --home "$work/$home" dict make "$list" bench --force)
  printf 'make british-english-huge (%s): wordkeg %.3f s, sort -u %.3f s, ratio %.2fx (target: within 3x)\n' \
    "$label" "$ours" "$peer" "$(echo "$ours / $peer" | bc -l)"
done

for _ in $(seq 10); do cat "$list"; done > "$work/big.txt"
peer_kb=$(peak_kb env LC_ALL=C sort -u "$work/big.txt" -o "$work/sorted")
for home in h long; do
  label="nine letters"
  [ $home = long ] && label="long words"
  ours_kb=$(peak_kb "$wk" --home "$work/$home" dict make "$work/big.txt" big --force)
  printf 'peak memory, list x10 (%s lines, %s): wordkeg %.1f MB, sort -u %.1f MB, ratio %.2fx (target: under 16 MB)\n' \
    "$(wc -l < "$work/big.txt")" "$label" "$(echo "$ours_kb / 1024" | bc -l)" \
    "$(echo "$peer_kb / 1024" | bc -l)" "$(echo "$ours_kb / $peer_kb" | bc -l)"
done
