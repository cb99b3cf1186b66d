#!/usr/bin/env python3
"""The page of "wordkeg serve" in a real browser (Debian's headless Chromium, driven through its
DevTools protocol): typing a pattern and pressing Enter shows the command line's results, Esc
cancels a long search, an address with ?find= searches on load, and the page fits a desktop and
a phone screen; both are kept as PNG screenshots.
Usage: browser_test.py PATH-TO-wordkeg SCREENSHOT-DIR"""
import base64
import itertools
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import time

import websocket
from testlib import Run

suite = Run(sys.argv[1], "wk_browser_test_")
WK, work, home, check, wk = suite.program, suite.work, suite.home, suite.check, suite.wk
shots = sys.argv[2]
os.makedirs(shots, exist_ok=True)


class Page:
    """One browser tab, spoken to through the DevTools protocol."""

    def __init__(self, url):
        self.ids = itertools.count(1)
        self.ws = websocket.create_connection(url, timeout=30)

    def call(self, method, **params):
        my = next(self.ids)
        self.ws.send(json.dumps({"id": my, "method": method, "params": params}))
        while True:
            message = json.loads(self.ws.recv())
            if message.get("id") == my:
                if "error" in message:
                    raise RuntimeError(f"{method}: {message['error']}")
                return message.get("result", {})

    def eval(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True,
                           awaitPromise=True)
        return result.get("result", {}).get("value")

    def wait(self, expression, seconds=20):
        end = time.time() + seconds
        while time.time() < end:
            if self.eval(expression):
                return True
            time.sleep(0.1)
        return False

    def key(self, name, code, char=""):
        for kind in ("keyDown", "keyUp"):
            params = {"type": kind, "key": name, "code": name, "windowsVirtualKeyCode": code}
            if kind == "keyDown" and char:
                params["text"] = char
            self.call("Input.dispatchKeyEvent", **params)

    def screenshot(self, name, width, height, mobile):
        self.call("Emulation.setDeviceMetricsOverride", width=width, height=height,
                  deviceScaleFactor=1, mobile=mobile)
        time.sleep(0.3)
        data = self.call("Page.captureScreenshot", format="png")["data"]
        with open(os.path.join(shots, name), "wb") as f:
            f.write(base64.b64decode(data))


wk("dict", "make", "/usr/share/dict/british-english-huge", "british")
wk("dict", "select", "british")
server = subprocess.Popen([WK, "--home", home, "serve", "--port", "0"], stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL, text=True)
base = server.stdout.readline().split()[2]
browser = subprocess.Popen(
    ["chromium-headless-shell", "--no-sandbox", "--disable-gpu", "--remote-debugging-port=0",
     f"--user-data-dir={work}/profile", "about:blank"],
    stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True, start_new_session=True)
try:
    endpoint = ""
    for line in browser.stderr:
        found = re.search(r"(ws://\S+/devtools/browser/\S+)", line)
        if found:
            endpoint = found.group(1)
            break
    check("the browser starts", endpoint != "")
    control = Page(endpoint)
    target = control.call("Target.createTarget", url="about:blank")["targetId"]
    page = Page(re.sub(r"/devtools/browser/.*", f"/devtools/page/{target}", endpoint))
    page.call("Page.enable")
    page.call("Emulation.setDeviceMetricsOverride", width=1280, height=900, deviceScaleFactor=1,
              mobile=False)
    page.call("Page.navigate", url=base)
    check("the page loads with its dictionaries",
          page.wait("document.querySelectorAll('#dictionaries input:checked').length == 1"))

    # Typed and entered: the command line's results, in its order.
    page.eval("document.getElementById('find').focus()")
    page.call("Input.insertText", text="b?r?d")
    page.key("Enter", 13, "\r")
    check("Enter searches", page.wait(
        "document.getElementById('state').textContent == 'Searching Completed'"))
    # The results are drawn at the next frame, which a busy machine may hold back a while.
    page.wait("document.querySelectorAll('#results div').length > 0")
    shown = page.eval("[...document.querySelectorAll('#results div')].map(d => d.textContent)")
    expected = wk("search", "b?r?d", "--rank").stdout.split()
    check("the results are the command line's, common words first", shown == expected,
          f"{shown} vs {expected}")
    check("each with its words' levels", page.eval(
        "[...document.querySelectorAll('#results div')].map(d => d.dataset.level + ' ' + d.title)")
        == ["20 Word-list levels (10 most common, 100 unlisted): bored 20",
            "35 Word-list levels (10 most common, 100 unlisted): bared 35"],
        page.eval("[...document.querySelectorAll('#results div')].map(d => d.title)"))
    check("the counts", page.eval("document.getElementById('found').textContent") ==
          str(len(expected)))
    check("the address holds the search", page.eval("location.search") == "?find=b%3Fr%3Fd&rank=1")

    page.eval("document.getElementById('find').value = ''")
    page.eval("document.getElementById('find').focus()")
    page.call("Input.insertText", text="*")
    page.eval("document.getElementById('from').focus()")
    page.call("Input.insertText", text="crosswords")
    page.eval("document.getElementById('use_all').click()")
    page.key("Enter", 13, "\r")
    page.wait("document.getElementById('state').textContent == 'Searching Completed'")
    page.screenshot("web-desktop.png", 1280, 900, False)
    layout = page.eval("""(() => {
      const form = document.getElementById('form').getBoundingClientRect();
      const results = document.getElementById('results').getBoundingClientRect();
      return [form.right <= results.left, document.documentElement.scrollWidth <= innerWidth];
    })()""")
    check("desktop: the form beside the results, nothing wider than the window", layout == [True, True],
          str(layout))
    page.screenshot("web-phone.png", 390, 844, True)
    layout = page.eval("""(() => {
      const form = document.getElementById('form').getBoundingClientRect();
      const results = document.getElementById('results').getBoundingClientRect();
      const find = document.getElementById('find').getBoundingClientRect();
      const dicts = document.getElementById('dicts').getBoundingClientRect();
      return [results.top >= form.bottom && results.top < dicts.top,
              document.documentElement.scrollWidth <= innerWidth, find.width >= 200];
    })()""")
    check("phone: the results right below the form, nothing wider than the screen, a usable field",
          layout == [True, True, True], str(layout))
    wide = page.eval("""(() => {
      const box = document.getElementById('results'), d = document.createElement('div');
      d.textContent = 'x'.repeat(39);
      box.prepend(d);
      box.style.setProperty('--col', '40ch');
      const fits = document.documentElement.scrollWidth <= innerWidth;
      d.remove();
      return fits;
    })()""")
    check("phone: a 39-letter result's column shrinks to the screen", wide)
    page.call("Emulation.setDeviceMetricsOverride", width=1280, height=900, deviceScaleFactor=1,
              mobile=False)

    # The end is announced with its counts; the results themselves are not read out one by one.
    check("the end is announced with the counts", page.eval(
        "document.getElementById('announce').textContent").startswith("Searching Completed: ") and
        page.eval("document.getElementById('results').getAttribute('aria-live')") is None)
    order = page.eval("""[...document.querySelectorAll('a, input, button, summary')]
        .map(e => e.id || e.tagName).join(' ')""")
    check("Save the results comes before the dictionaries in the Tab order",
          order.index("report") < order.index("INPUT", order.index("cancel")), order)

    # Saving with no dictionary selected says why it cannot start.
    page.eval("document.querySelector('#dictionaries input').click()")
    time.sleep(0.5)
    page.eval("document.getElementById('report').click()")
    check("a save with no dictionary says why", page.eval(
        "document.getElementById('error').textContent") ==
        "No dictionary is selected: select one to save its results.")
    page.eval("document.querySelector('#dictionaries input').click()")
    time.sleep(0.5)

    # Esc cancels a long search; its child goes with it.
    page.eval("document.getElementById('find').value = '* * *'")
    page.eval("document.getElementById('from').value = 'astronomerwatchers'")
    page.eval("document.getElementById('find').focus()")
    page.key("Enter", 13, "\r")
    check("a long search shows results as they come",
          page.wait("document.querySelectorAll('#results div').length > 0", 30))
    page.key("Escape", 27)
    check("Esc cancels", page.wait(
        "document.getElementById('state').textContent == 'Search Cancelled'"))
    for _ in range(50):
        children = subprocess.run(["pgrep", "-f", f"{home} search"], capture_output=True,
                                  text=True).stdout.split()
        if not children:
            break
        time.sleep(0.1)
    check("the cancelled search's program ends", not children, str(children))

    # A shared address searches on load.
    page.call("Page.navigate", url=base + "?find=c/t&use_all=0&rank=0")
    check("an address with find searches on load", page.wait(
        "document.getElementById('state').textContent == 'Searching Completed'"))
    check("with its fields filled", page.eval(
        "[document.getElementById('find').value, document.getElementById('use_all').checked, "
        "document.getElementById('rank').checked]") == ["c/t", False, False])
    shown = page.eval("[...document.querySelectorAll('#results div')].map(d => d.textContent)")
    check("and the results of c?t in the order found", shown == wk("search", "c?t").stdout.split(),
          str(shown))

    # Every word: the first 20,000 drawn, the rest counted; then a search that finds nothing.
    page.eval("document.getElementById('find').value = '*'")
    page.eval("document.getElementById('find').focus()")
    page.key("Enter", 13, "\r")
    page.wait("document.getElementById('state').textContent == 'Searching Completed'", 30)
    page.wait("document.querySelectorAll('#results div').length == 20000")
    total = int(page.eval("document.getElementById('found').textContent").replace(",", ""))
    check("a huge result draws 20,000 and says how many more",
          page.eval("document.getElementById('more').textContent") ==
          f"{total - 20000:,} more not shown: save the results to see them all",
          page.eval("document.getElementById('more').textContent"))
    page.eval("document.getElementById('find').value = 'zzq?'")
    page.key("Enter", 13, "\r")
    check("nothing found is said", page.wait(
        "document.getElementById('state').textContent == 'Searching Completed: nothing found'"))
    check("and no count of more is left over", page.eval(
        "document.getElementById('more').textContent") == "")

    # The ! note in the page's own words, not the window's buttons.
    page.call("Page.navigate", url=base + "?find=*%20!x&from=listen")
    page.wait("document.getElementById('state').textContent.startsWith('Searching Completed')")
    notes = page.eval("document.getElementById('notes').textContent")
    check("the ! note in the page's words", "what follows ! is ignored" in notes and
          "select OK" not in notes, notes)

    # Another local site's page can neither frame this one nor start a search through an image.
    evil = os.path.join(work, "evil")
    os.makedirs(evil)
    with open(os.path.join(evil, "index.html"), "w") as f:
        f.write(f'<iframe src="{base}"></iframe>'
                f'<img src="{base}api/search?find=*%20*%20*&from=astronomerwatchers">')
    other = subprocess.Popen([sys.executable, "-m", "http.server", "0", "--bind", "127.0.0.1"],
                             cwd=evil, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    try:
        port = re.search(r"port (\d+)", other.stdout.readline()).group(1)
        page.call("Page.navigate", url=f"http://127.0.0.1:{port}/")
        time.sleep(2)
        frames = page.call("Page.getFrameTree")["frameTree"].get("childFrames", [])
        framed = [f["frame"].get("url", "") for f in frames]
        check("a page on another port cannot frame this one",
              framed and not framed[0].startswith(base), str(framed))
        started = subprocess.run(["pgrep", "-f", f"{home} search"], capture_output=True,
                                 text=True).stdout.split()
        check("... nor start a search with an image", not started, str(started))
    finally:
        other.kill()
        other.wait()
    page.call("Page.navigate", url=base)
    page.wait("document.querySelectorAll('#dictionaries input:checked').length == 1")

    # A refused search shows the program's message.
    page.eval("document.getElementById('find').value = 'quartermaster'")
    page.eval("document.getElementById('find').focus()")
    page.key("Enter", 13, "\r")
    check("a refusal shows the program's message", page.wait(
        "document.getElementById('error').textContent.includes('maximum length supported')"))
finally:
    # The browser's own processes (zygote, renderers, GPU) go with it: its whole group.
    os.killpg(browser.pid, signal.SIGKILL)
    browser.wait()
    server.send_signal(2)
    server.wait(timeout=10)
    shutil.rmtree(work, ignore_errors=True)

suite.finish()
