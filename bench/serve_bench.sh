#!/usr/bin/env bash
# The web API against the command line, in one run, on british-english-huge:
#   1. c?t through GET /api/search (whole answer, on a kept-alive connection) against
#      "wordkeg search" (best of 9 each);
#   2. the time to the first result of a long three-word search through the API, against its
#      whole run.
# Usage: bench/serve_bench.sh [path/to/wordkeg]   (wordkeg-serve beside it)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
wk="${1:-$root/build/bin/wordkeg}"
[ -x "$wk" ] && [ -x "$(dirname "$wk")/wordkeg-serve" ] ||
  { echo "build first: cmake --build build --target wordkeg wordkeg-serve" >&2; exit 2; }
work=$(mktemp -d)
server=""
trap '[ -n "$server" ] && kill -INT "$server" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
"$wk" --home "$work" dict make /usr/share/dict/british-english-huge british >/dev/null 2>&1
"$wk" --home "$work" dict select british >/dev/null 2>&1
"$wk" --home "$work" serve --port 0 >"$work/serve.out" 2>&1 &
server=$!
for _ in $(seq 50); do grep -q http "$work/serve.out" && break; sleep 0.1; done
base=$(awk '{ print $3 }' "$work/serve.out")

source "$root/bench/common.sh"
api() { curl -s -o "$work/out" "${base}api/search?$1"; }
cli() { "$wk" --home "$work" search "$@" >"$work/out" 2>/dev/null; }

# Through one kept-alive connection, as the page's browser asks: curl's own start (libcurl and
# its TLS libraries) takes longer than the whole search and would time curl, not the API.
api_request() {
  python3 - "$base" "$1" <<'PY'
import http.client, sys, time, urllib.parse
url = urllib.parse.urlparse(sys.argv[1])
connection = http.client.HTTPConnection(url.hostname, url.port)
best = 1e9
for _ in range(9):
    start = time.perf_counter()
    connection.request("GET", "/api/search?" + sys.argv[2])
    connection.getresponse().read()
    best = min(best, time.perf_counter() - start)
print(f"{best:.6f}")
PY
}
ours=$(api_request 'find=c%3Ft')
peer=$(best_of 9 cli 'c?t')
printf '%-44s api %7.4f s  command line %7.4f s  ratio %5.2f  (target <= 1.5)\n' \
  "c?t" "$ours" "$peer" "$(echo "$ours / $peer" | bc -l)"

first_line() { curl -sN "${base}api/search?$1" | head -1 >/dev/null; }
query='find=*%20*%20*&from=astronomerwatch&suppress=1'
first=$(best_of 3 first_line "$query")
whole=$(best_of 1 api "$query")
printf '%-44s first %7.3f s  whole run %7.3f s  ratio %5.3f  (target < 0.05)\n' \
  "first result, 3 words from astronomerwatch" "$first" "$whole" "$(echo "$first / $whole" | bc -l)"
