#!/usr/bin/env python3
"""The web API of "wordkeg serve" against a running server, as a page or a script uses it:
results and counts equal the command line's for the same request, refusals carry the program's
message, closing the connection ends the search and its working files, concurrent searches keep
their own results, and nothing outside the API's paths answers.
Usage: serve_test.py PATH-TO-wordkeg"""
import json
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import threading
import time
import urllib.error
import urllib.parse
import urllib.request

from testlib import Run

suite = Run(sys.argv[1], "wk_serve_test_")
WK, work, home, check, wk = suite.program, suite.work, suite.home, suite.check, suite.wk


def request(path, method="GET", timeout=30):
    """(status, headers, body) of one request to the server."""
    req = urllib.request.Request(base + path, method=method)
    try:
        with urllib.request.urlopen(req, timeout=timeout) as res:
            return res.status, dict(res.headers), res.read().decode()
    except urllib.error.HTTPError as e:
        return e.code, dict(e.headers), e.read().decode()


def search(**params):
    status, headers, body = request("/api/search?" + urllib.parse.urlencode(params))
    lines = [json.loads(line) for line in body.splitlines() if line]
    return status, headers, lines


def cli_search(find, *options):
    done = wk("search", *options, "--", find)
    counts = dict(line.split(": ") for line in done.stderr.splitlines()
                  if line.startswith(("Found: ", "Checked: ")))
    return done.stdout.splitlines(), counts


def working_files():
    """The searches' files in the home's temp folder (the server's own marker, .wki, aside)."""
    temp = os.path.join(home, "temp")
    return sorted(f for f in os.listdir(temp) if not f.endswith(".wki")) if os.path.isdir(temp) else []


def pairs():
    """Results pairs in the home's temp folder: a web search keeps none."""
    return [f for f in working_files() if f.endswith((".$$$", ".pdx"))]


def settled():
    """Waits (up to 10 s) for the home's searches to end; what is left of them."""
    for _ in range(100):
        children = subprocess.run(["pgrep", "-f", f"{home} search"], capture_output=True,
                                  text=True).stdout.split()
        if not children and not working_files():
            return []
        time.sleep(0.1)
    return children or working_files()


# A report folder left by a server killed with -9 (named after its process, long gone).
dead = os.path.join(tempfile.gettempdir(), "wordkeg-report-2147483646-test")
os.makedirs(dead, exist_ok=True)

# A home with two dictionaries, one selected.
os.makedirs(work, exist_ok=True)
wk("dict", "make", "/usr/share/dict/british-english-huge", "british")
with open(os.path.join(work, "small.txt"), "w") as f:
    f.write("cat\nact\ntac\ndog\ngod\nCat\n")
wk("dict", "make", os.path.join(work, "small.txt"), "small")
wk("dict", "select", "british")

server = subprocess.Popen([WK, "--home", home, "serve", "--port", "0"], stdout=subprocess.PIPE,
                          stderr=subprocess.PIPE, text=True)
first = server.stdout.readline()
check("the server says where it listens", first.startswith("wordkeg serve: http://127.0.0.1:"),
      first)
base = first.split()[2].rstrip("/")
check("the next server removes the report folder of a killed one", not os.path.exists(dead))
try:
    # Results, order and counts as the command line gives them.
    for find, options in [("c?t", {}), ("*ing", {"limit": "50"}), ("* *", {"from": "catdog"}),
                          ("*", {"from": "listen", "use_all": "1"}),
                          ("* *", {"from": "moonstarer", "suppress": "1", "min_length": "4"})]:
        cli_options = []
        for name, value in options.items():
            if name == "suppress":
                cli_options.append("--suppress-permutations")
            elif name != "use_all":
                cli_options.append(f"--{name.replace('_', '-')}={value}")
        expected, counts = cli_search(find, *cli_options)
        status, headers, lines = search(find=find, **options)
        check(f"{find} answers 200", status == 200, str(status))
        check(f"{find} streams ndjson", headers.get("Content-Type") == "application/x-ndjson",
              str(headers.get("Content-Type")))
        got = [o["result"] for o in lines if "result" in o]
        check(f"{find} results as the command line's", got == expected,
              f"{got[:5]} vs {expected[:5]}")
        check(f"{find} ends with the counts",
              lines[-1] == {"found": int(counts["Found"]), "checked": int(counts["Checked"])},
              f"{lines[-1]} vs {counts}")

    # Refusals carry the program's message.
    status, _, body = request("/api/search?find=" + "a" * 41)
    check("a FIND over 40 characters is refused", status == 400, str(status))
    check("with the program's message", json.loads(body)["error"] ==
          "Too long: at most 40 characters fit this field: FIND", body)
    status, _, lines = search(find="4" * 20)
    check("a FIND whose digits stand for over 40 letters is refused", status == 400, str(lines))
    status, _, body = request("/api/search?find=quartermaster")
    check("a word over the home's limit is refused with the limit", status == 400 and
          "The longest word this home takes has 9 letters" in json.loads(body)["error"], body)
    status, _, body = request("/api/search?find=*%20*")
    check("a sequence without FROM is refused", status == 400 and "FROM" in body, body)
    for query, why in [("find=c%3Ft&limit=ten", "limit must be a whole number"),
                       ("find=c%3Ft&colour=red", "unknown parameter: colour"),
                       ("find=" + "a" * 500, "find is too long"),
                       ("find=c%3Ft&use_all=yes", "use_all must be 0 or 1"),
                       ("find=c%3Ft&find=dog", "find is given more than once")]:
        status, _, body = request("/api/search?" + query)
        check(f"malformed: {why}", status == 400 and json.loads(body)["error"] == why,
              f"{status} {body}")
    # An address typed by hand: "/" stands for "?" in FIND, as in the window.
    status, _, body = request("/api/search?find=c/t")
    check("c/t is c?t", [json.loads(l).get("result") for l in body.splitlines()][:2] ==
          ["Cat", "cat"], body[:200])
    status, _, body = request("/api/search?find=-x")
    check("a FIND starting with - is a FIND, not an option", status == 400 and
          "FIND" in json.loads(body)["error"], body)

    status, _, body = request("/api/search?dict=&find=--help")
    check("an empty dict is refused, and FIND stays FIND", status == 400 and
          json.loads(body)["error"] == "dict is empty: name a dictionary", body)
    status, _, body = request("/api/search?find=%FF")
    check("bytes that are not UTF-8 are refused with JSON", status == 400 and
          "FIND" in json.loads(body)["error"], f"{status} {body}")
    raw = subprocess.run(["curl", "-s", "-w", " %{http_code}", base + "/api/search?find=c?t"],
                         capture_output=True, text=True).stdout
    check("a raw ? in an address is answered in JSON", raw.endswith(" 400") and
          "%3F" in raw, raw)

    # Another site's page, through the user's browser, neither reads nor changes anything.
    def curl_status(*args):
        return subprocess.run(["curl", "-s", "-o", "/dev/null", "-w", "%{http_code}", *args],
                              capture_output=True, text=True).stdout
    check("a foreign Host is refused",
          curl_status("-H", "Host: evil.example", base + "/api/dictionaries") == "403")
    check("a change from a foreign page is refused", curl_status(
        "-X", "POST", "-H", "Origin: http://evil.example", "-d", "",
        base + "/api/dictionaries?name=small&selected=1") == "403")
    check("a GET another site started is refused", curl_status(
        "-H", "Sec-Fetch-Site: cross-site", base + "/api/search?find=*%20*%20*&from=astronomerwatch")
        == "403" and settled() == [])
    check("... and one from another local port", curl_status(
        "-H", "Sec-Fetch-Site: same-site", base + "/api/report?find=c%3Ft") == "403")
    check("... and one naming another Origin", curl_status(
        "-H", "Origin: http://127.0.0.1:1", base + "/api/search?find=c%3Ft") == "403")
    origin = base.replace("http://", "")
    check("two Origin headers are none", curl_status(
        "-X", "POST", "-H", f"Origin: http://{origin}", "-H", f"Origin: http://{origin}", "-d", "",
        base + "/api/dictionaries?name=small&selected=0") == "403")
    check("two Sec-Fetch-Site headers are none", curl_status(
        "-H", "Sec-Fetch-Site: same-origin", "-H", "Sec-Fetch-Site: cross-site",
        base + "/api/search?find=c%3Ft") == "403")
    check("a range of a stream is not served: the whole answer", curl_status(
        "-H", "Range: bytes=0-10", base + "/api/search?find=c%3Ft") == "200")
    status, headers, body = request("/")
    check("no page may frame this one", "frame-ancestors 'none'" in headers.get(
        "Content-Security-Policy", "") and headers.get("X-Frame-Options") == "DENY", str(headers))
    check("scripts come from this server only: none is written into the page",
          "script-src 'self';" in headers.get("Content-Security-Policy", "") and
          "<script>" not in body and request("/page.js")[0] == 200)
    for query, why in [("find=ca?", "a ? inside a value must be written %3F"),
                       ("find=zz=c%3Ft", "an = inside a value must be written %3D")]:
        raw = subprocess.run(["curl", "-s", "-w", " %{http_code}", base + "/api/search?" + query],
                             capture_output=True, text=True).stdout
        check(f"a bare character inside a value: {query}", raw.endswith(" 400") and why in raw, raw)
    check("the page takes what the address bar gives", curl_status(base + "/?find=c?t") == "200")
    too_long = subprocess.run(["curl", "-s", "-H", "X-Long: " + "a" * 20000,
                               base + "/api/dictionaries"], capture_output=True, text=True).stdout
    check("a refusal of the HTTP library says what it is about", "malformed request" in too_long
          and "%3F" not in too_long, too_long)
    old = subprocess.run(["curl", "-s", "-0", "-D", "-", base + "/api/search?find=c%3Ft"],
                         capture_output=True, text=True).stdout
    check("HTTP/1.0 gets no chunks", "chunked" not in old.lower() and '"result"' in old, old[:300])
    status, _, body = request("/api/dictionaries?name=small%00x&selected=1", method="POST")
    check("a name holding NUL is refused", status == 400, body)
    check("a change from the server's own page is taken", curl_status(
        "-X", "POST", "-H", f"Origin: http://{origin}", "-d", "",
        base + "/api/dictionaries?name=small&selected=0") == "200")

    # A second server is no server on the same port.
    second = subprocess.run([WK, "--home", home, "serve", "--port", base.rsplit(":", 1)[1]],
                            capture_output=True, text=True, timeout=10)
    check("a second server on a port in use is refused", second.returncode == 2 and
          "in use" in second.stderr, second.stderr)
    # On every address the server still answers only to the machine's own names, and to those
    # --allow-host names.
    wide = subprocess.Popen([WK, "--home", home, "serve", "--port", "0", "--listen", "0.0.0.0",
                             "--allow-host", "words.example"], stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL, text=True)
    try:
        port = wide.stdout.readline().split()[2].rstrip("/").rsplit(":", 1)[1]
        at = f"http://127.0.0.1:{port}/api/dictionaries"
        check("--listen 0.0.0.0 keeps the Host check",
              curl_status("-H", f"Host: evil.example:{port}", at) == "403")
        check("... answers a name --allow-host gives",
              curl_status("-H", f"Host: words.example:{port}", at) == "200")
        check("... and the machine's own name",
              curl_status("-H", f"Host: {socket.gethostname()}:{port}", at) == "200")
    finally:
        wide.send_signal(2)
        wide.wait(timeout=10)
    second = subprocess.run([WK, "--home", home, "serve", "--listen", "nonsense"],
                            capture_output=True, text=True, timeout=10)
    check("a listen address that is none", second.returncode == 2 and
          "is not an address" in second.stderr, second.stderr)

    # Nothing but the API's paths answers.
    for path in ["/etc/passwd", "/../../../etc/passwd", "/api/nothing", "/lexicons/british.lex",
                 "/wordkeg.ini"]:
        status, _, _ = request(path)
        check(f"{path} is not found", status == 404, str(status))
    status, headers, body = request("/")
    check("the page", status == 200 and "<title>Wordkeg</title>" in body and
          headers.get("Content-Type", "").startswith("text/html"), str(status))

    # The dictionaries and their selection.
    status, _, body = request("/api/dictionaries")
    listed = json.loads(body)
    check("dictionaries listed", status == 200 and listed == [
        {"name": "british", "file": "british.lex", "words": listed[0]["words"], "selected": True},
        {"name": "small", "file": "small.lex", "words": 6, "selected": False}] and all(
            type(d["selected"]) is bool for d in json.loads(body)), body)
    status, _, body = request("/api/dictionaries?name=small&selected=1", method="POST")
    check("selecting answers the new list", status == 200 and all(
        d["selected"] for d in json.loads(body)), body)
    status, _, lines = search(find="???", dict="small")
    check("a search of one dictionary", [o["result"] for o in lines if "result" in o] ==
          ["act", "Cat", "cat", "dog", "god", "tac"], str(lines))
    status, _, body = request("/api/dictionaries?name=../wordkeg&selected=1", method="POST")
    check("a name that is no dictionary's", status == 404, body)
    status, _, body = request("/api/dictionaries?name=small&selected=1&x=2", method="POST")
    check("selecting refuses an unknown parameter", status == 400, body)
    wk("dict", "deselect", "small")

    # The report, as Save As writes it.
    status, headers, body = request("/api/report?find=c%3Ft")
    check("the report downloads", status == 200 and "attachment" in headers.get(
        "Content-Disposition", "") and "cat" in body.split(), f"{status} {body[:200]}")
    saved = os.path.join(work, "cat.wkg")
    wk("search", "--save", saved, "--", "c?t")
    check("byte for byte", body == wk("results", "export", saved, "-").stdout, body)
    # Ranked: the command line's order, each result with its words' levels; the best so far
    # while a long search runs; no ranked report.
    status, _, lines = search(find="* *", **{"from": "moonstarer"}, suppress="1", rank="1", limit="5")
    ranked, _ = cli_search("* *", "--from=moonstarer", "--suppress-permutations", "--rank", "--limit=5")
    check("rank=1 gives the command line's ranked results", status == 200 and
          [o["result"] for o in lines if "result" in o] == ranked and
          all(len(o["levels"]) == 2 for o in lines if "result" in o), str(lines[:3]))
    best = []
    with urllib.request.urlopen(base + "/api/search?" + urllib.parse.urlencode(
            {"find": "* * *", "from": "astronomerwatchers", "rank": "1"}), timeout=30) as res:
        for raw in res:  # a long search: its first best-so-far list, then the client leaves
            line = json.loads(raw)
            if "best" in line or "found" in line or "error" in line:
                best = line.get("best", [])
                break
    check("and the best so far while it runs", 0 < len(best) <= 20 and
          all("levels" in o for o in best), str(best[:2]))
    status, _, body = request("/api/report?find=c%3Ft&rank=1")
    check("a report is not ranked", status == 400 and "rank" in body, body)
    # A damaged dictionary among the selected: said in the results' stream, named from the home;
    # the report is still plain text.
    bad = os.path.join(home, "lexicons", "bad.lex")
    shutil.copy(os.path.join(home, "lexicons", "british.lex"), bad)
    with open(bad, "r+b") as f:
        f.seek(4096)
        f.write(b"\xff" * 5000)
    _, _, lines = search(find="c?t")
    check("a damaged dictionary is named from the home", any(
        "./lexicons/bad.lex" in o.get("message", "") for o in lines), str(lines[:2]))
    status, _, body = request("/api/report?find=c%3Ft")
    check("and the report stays text", status == 200 and body.startswith("****"), body[:80])
    os.remove(bad)
    status, _, body = request("/api/report?find=zzzq")
    check("no report of nothing", status == 404, f"{status} {body}")

    # Two searches at once keep their own results.
    results = {}

    def run(find, from_):
        results[find] = search(find=find, **({"from": from_} if from_ else {}))[2]

    threads = [threading.Thread(target=run, args=("* *", "stationery")),
               threading.Thread(target=run, args=("*tion", ""))]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    for find, options in [("* *", ["--from=stationery"]), ("*tion", [])]:
        expected, _ = cli_search(find, *options)
        got = [o["result"] for o in results[find] if "result" in o]
        check(f"concurrent {find} keeps its own results", got == expected,
              f"{len(got)} vs {len(expected)}")

    # Closing the connection ends the search, and its working files go.
    try:
        urllib.request.urlopen(base + "/api/search?" + urllib.parse.urlencode(
            {"find": "* * *", "from": "astronomerwatchers"}), timeout=1).read()
    except Exception:
        pass
    for _ in range(50):
        children = subprocess.run(["pgrep", "-f", f"{home} search"], capture_output=True,
                                  text=True).stdout.split()
        if not children and not working_files():
            break
        time.sleep(0.1)
    check("a closed connection ends its search", not children, str(children))
    check("and leaves no working file", working_files() == [], str(working_files()))

    long_search = urllib.parse.urlencode({"find": "* * *", "from": "astronomerwatchers"})
    subprocess.run(["curl", "-s", "-I", "-m", "2", base + "/api/search?" + long_search],
                   capture_output=True)
    check("HEAD starts no search", settled() == [])
    subprocess.run(["curl", "-s", "-m", "1", "-o", "/dev/null", base + "/api/report?" + long_search],
                   capture_output=True)
    check("a report the client leaves is ended too", settled() == [])

    # Under load. Connections that trickle their headers (a byte a second) neither hold the
    # server nor delay others, and are dropped within seconds.
    # ... and so do those that trickle a body after their headers.
    slow = []
    for n in range(40):
        sock = socket.create_connection(("127.0.0.1", int(base.rsplit(":", 1)[1])))
        sock.sendall(b"GET / HTTP/1.1\r\nHo" if n % 2 else
                     b"POST /api/dictionaries?name=small&selected=1 HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                     b"Content-Length: 100000\r\n\r\nx")
        slow.append(sock)
    started = time.monotonic()
    status, _, _ = request("/api/dictionaries")
    check("40 slow clients do not delay a request",
          status == 200 and time.monotonic() - started < 1, f"{time.monotonic() - started:.2f} s")
    for _ in range(6):
        time.sleep(1)
        for sock in slow:
            try:
                sock.sendall(b"s")
            except OSError:
                pass
    dropped = 0
    for sock in slow:
        sock.settimeout(0.5)
        try:
            dropped += sock.recv(100) == b""
        except OSError as e:
            dropped += not isinstance(e, socket.timeout)
        sock.close()
    check("and are dropped within seconds", dropped == 40, f"{dropped} of 40")

    # 40 long searches at once: those beyond the server's capacity are told 503 at once, and the
    # page and the dictionary list still answer quickly.
    def hold(outcome):
        try:
            with urllib.request.urlopen(base + "/api/search?" + long_search, timeout=30) as res:
                res.readline()
                outcome.append(200)
                time.sleep(6)  # a slow reader: its search waits for it, past the header deadline
                outcome.append(json.loads(res.readline() or "{}"))
        except urllib.error.HTTPError as e:
            outcome.append((e.code, e.headers.get("Retry-After"), json.loads(e.read())))
        except Exception as e:
            outcome.append(repr(e))
    outcomes = [[] for _ in range(40)]
    holders = [threading.Thread(target=hold, args=(o,)) for o in outcomes]
    for t in holders:
        t.start()
    time.sleep(2)
    slowest = 0
    for path in ["/", "/api/dictionaries", "/page.js"] * 3:
        started = time.monotonic()
        status, _, _ = request(path)
        slowest = max(slowest, time.monotonic() - started if status == 200 else 99)
    check("the page and the dictionaries answer within 200 ms meanwhile", slowest < 0.2,
          f"{slowest:.3f} s")
    check("the searches keep no results on disk", pairs() == [], str(pairs()))
    for t in holders:
        t.join()
    busy = [o for o in outcomes if o and isinstance(o[0], tuple)]
    served = [o for o in outcomes if o and o[0] == 200]
    check("searches over capacity are answered 503 with Retry-After", len(busy) >= 30 and all(
        o[0][0] == 503 and o[0][1] == "2" and "busy" in o[0][2]["error"] for o in busy),
          str(outcomes[:3]))
    check("those within it stream past the header deadline", served and all(
        len(o) == 2 and isinstance(o[1], dict) and ("result" in o[1] or "progress" in o[1])
        for o in served),
          str(served[:2]))
    check("and end with their connections", settled() == [])

    # A report of some 200 MB streams through a server that stays small, its results kept
    # meanwhile in files that nobody else sees.
    huge = {"find": "* * *", "from": "clinteastwo", "use_all": "0"}
    download = subprocess.Popen(["curl", "-s", "-o", "/dev/null", "-w", "%{http_code} %{size_download}",
                                 base + "/api/report?" + urllib.parse.urlencode(huge)],
                                stdout=subprocess.PIPE, text=True)
    seen = set()
    while download.poll() is None:
        seen.update(pairs())
        time.sleep(0.1)
    big = download.stdout.read().split()
    check("a report's search shows no results pair", not seen, str(seen))
    with open(f"/proc/{server.pid}/status") as f:
        peak = int(next(line for line in f if line.startswith("VmHWM:")).split()[1])
    check("a 200 MB report streams with the server under 64 MB", big[0] == "200" and
          int(big[1]) > 200_000_000 and peak < 64 * 1024, f"{big} peak {peak} kB")

    # Keeping results apart (distinct) is bounded too: past it the search ends with an error.
    status, _, outcome = search(**huge, distinct="1")
    check("distinct past its bound ends with an error", status == 200 and
          "keep apart" in outcome[-1].get("error", ""), str(outcome[-1:]))

    # A change of the home's ini is seen by the next search, as by the next command.
    wk("config", "long-words", "on")
    status, _, _ = search(find="c?t", min_length="15")
    wk("config", "long-words", "off")
    check("long words turned on meanwhile are taken", status == 200, str(status))

    # Stopping the server while a search runs ends the search and its files, and says so.
    stream = os.path.join(work, "stream.txt")
    running = subprocess.Popen(["curl", "-s", "-o", stream, base + "/api/search?" + long_search])
    time.sleep(1)
finally:
    server.send_signal(2)
    try:
        code = server.wait(timeout=10)
    except subprocess.TimeoutExpired:
        server.kill()
        code = "killed"
    check("Ctrl-C stops the server", code == 0, str(code))
    check("and the searches it ran, with their files", settled() == [])
    running.wait(timeout=10)
    with open(stream) as f:
        last = f.read().splitlines()[-1:]
    check("a stream cut short by the stop ends with an error", last and "error" in json.loads(
        last[0]), str(last))
    shutil.rmtree(work, ignore_errors=True)

suite.finish()
