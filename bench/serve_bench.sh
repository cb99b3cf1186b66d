#!/usr/bin/env bash
# The web server against its peers, in one run, on british-english-huge:
#   1. c?t through GET /api/search at 1 and at 8 concurrent clients: answer time and requests per
#      second, this server against the child-per-request server it replaced (built from
#      OLD_REVISION in a worktree), and the answer time against the command line's own run;
#   2. the time to the first result of a long three-word search, against its whole run;
#   3. the server's peak memory while 40 long searches stream to readers that read one line a
#      second (those over its capacity are answered 503), against the dictionary's size.
# Usage: bench/serve_bench.sh [path/to/wordkeg] [OLD_REVISION]   (wordkeg-serve beside it)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
wk="${1:-$root/build/bin/wordkeg}"
old_revision="${2:-d6d830d}"
[ -x "$wk" ] && [ -x "$(dirname "$wk")/wordkeg-serve" ] ||
  { echo "build first: cmake --build build --target wordkeg wordkeg-serve" >&2; exit 2; }
work=$(mktemp -d)
servers=()
cleanup() {
  for pid in "${servers[@]}"; do kill -INT "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  git -C "$root" worktree remove --force "$work/old-src" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
source "$root/bench/common.sh"

echo "building the child-per-request server of $old_revision (a minute or two)..."
git -C "$root" worktree add --detach "$work/old-src" "$old_revision" >/dev/null 2>&1
cmake -S "$work/old-src" -B "$work/old-build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DWK_TESTS=OFF >/dev/null
cmake --build "$work/old-build" -j "$(nproc)" --target wordkeg wordkeg-serve >/dev/null
old_wk="$work/old-build/bin/wordkeg"

"$wk" --home "$work/home" dict make /usr/share/dict/british-english-huge british >/dev/null 2>&1
"$wk" --home "$work/home" dict select british >/dev/null 2>&1

# start_server PROGRAM NAME: starts "PROGRAM serve" on the home; its address in $work/NAME.
start_server() {
  "$1" --home "$work/home" serve --port 0 >"$work/$2.out" 2>&1 &
  servers+=($!)
  for _ in $(seq 50); do grep -q http "$work/$2.out" && break; sleep 0.1; done
  awk '{ print $3 }' "$work/$2.out" >"$work/$2"
}
start_server "$wk" new
start_server "$old_wk" old
new_base=$(cat "$work/new") old_base=$(cat "$work/old")

# rate BASE CLIENTS [PATH]: "mean-answer-seconds requests-per-second" of c?t (or PATH) with CLIENTS clients (each
# a process of its own, so that the clients are not what is measured) asking at once for 3 s,
# each request on a connection of its own (the server closes each).
rate() {
  python3 - "$@" <<'PY'
import http.client, multiprocessing, sys, time, urllib.parse
url, clients = urllib.parse.urlparse(sys.argv[1]), int(sys.argv[2])
path = sys.argv[3] if len(sys.argv) > 3 else "/api/search?find=c%3Ft"
def client(stop):
    times = []
    while time.perf_counter() < stop:
        start = time.perf_counter()
        connection = http.client.HTTPConnection(url.hostname, url.port)
        connection.request("GET", path)
        connection.getresponse().read()
        connection.close()
        times.append(time.perf_counter() - start)
    return times
with multiprocessing.Pool(clients) as pool:
    stop = time.perf_counter() + 3
    times = [t for ts in pool.map(client, [stop] * clients) for t in ts]
print(f"{sum(times) / len(times):.5f} {len(times) / 3:.1f}")
PY
}
cli() { "$wk" --home "$work/home" search "$@" >/dev/null 2>&1; }
peer=$(best_of 9 cli 'c?t')
for clients in 1 8; do
  read -r new_time new_rate <<<"$(rate "$new_base" "$clients")"
  read -r old_time old_rate <<<"$(rate "$old_base" "$clients")"
  printf 'c?t, %d client(s): answer %7.4f s (old %7.4f s), %7.1f requests/s (old %6.1f)  ratio %5.1fx  (target >= 5)\n' \
    "$clients" "$new_time" "$old_time" "$new_rate" "$old_rate" "$(echo "$new_rate / $old_rate" | bc -l)"
done
# What these clients can ask of any server here: the page's script, a static text, at 8 clients.
read -r _ ceiling <<<"$(rate "$new_base" 8 /page.js)"
printf 'the clients%s ceiling (/page.js, 8 clients): %7.1f requests/s, %5.1fx the old server on c?t\n' "'" \
  "$ceiling" "$(echo "$ceiling / $old_rate" | bc -l)"
read -r one_time _ <<<"$(rate "$new_base" 1)"
printf 'c?t answer %7.4f s against the command line %7.4f s  ratio %5.2f  (target <= 2)\n' \
  "$one_time" "$peer" "$(echo "$one_time / $peer" | bc -l)"

first_line() { curl -sN "${new_base}api/search?$1" | head -1 >/dev/null; }
whole_run() { curl -s -o /dev/null "${new_base}api/search?$1"; }
query='find=*%20*%20*&from=astronomerwatch&suppress=1'
first=$(best_of 3 first_line "$query")
whole=$(best_of 1 whole_run "$query")
printf '%-44s first %7.3f s  whole run %7.3f s  ratio %5.3f  (target < 0.05)\n' \
  "first result, 3 words from astronomerwatch" "$first" "$whole" "$(echo "$first / $whole" | bc -l)"

# 40 long searches to slow readers; the server's peak memory meanwhile.
new_pid=${servers[0]}
python3 - "$new_base" <<'PY'
import sys, threading, time, urllib.error, urllib.request
base, answers = sys.argv[1], []
def reader():
    try:
        with urllib.request.urlopen(base + "api/search?find=*%20*%20*&from=astronomerwatchers",
                                    timeout=60) as res:
            answers.append(200)
            for _ in range(8):
                res.readline()
                time.sleep(1)
    except urllib.error.HTTPError as e:
        answers.append(e.code)
threads = [threading.Thread(target=reader) for _ in range(40)]
for t in threads: t.start()
for t in threads: t.join()
print(f"40 long searches: {answers.count(200)} streamed, {answers.count(503)} answered 503")
PY
peak=$(awk '/VmHWM/ { print $2 }' "/proc/$new_pid/status")
lex=$(stat -c %s "$work/home/lexicons/british.lex")
printf 'server peak memory %6.1f MB (dictionary %5.1f MB)  beyond it %5.1f MB  (target < 64)\n' \
  "$(echo "$peak / 1024" | bc -l)" "$(echo "$lex / 1048576" | bc -l)" \
  "$(echo "($peak * 1024 - $lex) / 1048576" | bc -l)"
