#include "page.h"

namespace wk::web {

const char* pageHtml() {
  return R"PAGE(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Wordkeg</title>
<style>
  :root { --ink: #1b1f24; --muted: #5c6670; --line: #cfd6dd; --accent: #1d5fbf; --bad: #b3261e; }
  * { box-sizing: border-box; }
  body { margin: 0; font: 16px/1.4 system-ui, sans-serif; color: var(--ink); background: #f6f7f9; }
  header { padding: .6rem 1rem; background: #fff; border-bottom: 1px solid var(--line); }
  header h1 { margin: 0; font-size: 1.2rem; }
  main { display: grid; grid-template-columns: minmax(18rem, 24rem) 1fr; gap: 1rem; padding: 1rem;
    grid-template-areas: "search results" "dicts results" "help results";
    grid-template-rows: auto auto 1fr; align-items: start; }
  #search { grid-area: search; } #dicts { grid-area: dicts; } #help { grid-area: help; }
  #output { grid-area: results; min-height: 12rem; min-width: 0; }
  section { background: #fff; border: 1px solid var(--line); border-radius: 6px; padding: .8rem; }
  form { display: grid; grid-template-columns: 6rem 1fr; gap: .45rem .6rem; align-items: center; }
  label { color: var(--muted); }
  input[type=text], input[type=number] { width: 100%; padding: .45rem .5rem; font: inherit;
    font-family: ui-monospace, monospace; border: 1px solid var(--line); border-radius: 4px; }
  .checks { grid-column: 1 / -1; display: flex; flex-wrap: wrap; gap: .3rem 1rem; }
  .checks label { color: var(--ink); }
  details.more { grid-column: 1 / -1; }
  details.more div { display: grid; grid-template-columns: 6rem 1fr; gap: .45rem .6rem; margin-top: .5rem; align-items: center; }
  .buttons { grid-column: 1 / -1; display: flex; gap: .5rem; }
  button { font: inherit; padding: .45rem 1rem; border-radius: 4px; border: 1px solid var(--accent);
    background: var(--accent); color: #fff; cursor: pointer; }
  button.plain { background: #fff; color: var(--accent); }
  #dictionaries { list-style: none; padding: 0; margin: .4rem 0 0; }
  #dictionaries li { padding: .15rem 0; }
  #dictionaries small { color: var(--muted); }
  .status { display: flex; flex-wrap: wrap; gap: .3rem 1.2rem; align-items: baseline; margin-bottom: .6rem; }
  .status b { font-variant-numeric: tabular-nums; }
  #state { color: var(--muted); }
  #error { color: var(--bad); white-space: pre-line; }
  #notes { color: var(--muted); white-space: pre-line; font-size: .9rem; }
  #results { display: grid; grid-template-columns: repeat(auto-fill, minmax(min(var(--col, 10ch), 100%), 1fr));
    gap: 0 1.2rem; font-family: ui-monospace, monospace; max-height: 75vh; overflow-y: auto; }
  #results div { white-space: pre; overflow: hidden; text-overflow: ellipsis; padding: .05rem 0; }
  /* The word-list level of a ranked result's rarest word: seen, not copied with the result. */
  #results div[data-level]::after { content: " " attr(data-level); font-size: .7em; opacity: .45; }
  #more { color: var(--muted); margin-top: .5rem; }
  .help dt { font-family: ui-monospace, monospace; font-weight: bold; }
  .help dd { margin: 0 0 .4rem 1.5rem; color: var(--muted); }
  a { color: var(--accent); }
  .sr { position: absolute; width: 1px; height: 1px; overflow: hidden; clip-path: inset(50%); }
  @media (max-width: 700px) {
    main { grid-template-columns: 1fr; padding: .5rem; gap: .5rem;
      grid-template-areas: "search" "results" "dicts" "help"; grid-template-rows: auto; }
    form, details.more div { grid-template-columns: 5rem 1fr; }
  }
</style>
</head>
<body>
<header><h1>Wordkeg</h1></header>
<main>
<section id="search">
<form id="form" autocomplete="off">
  <label for="find">Find</label><input type="text" id="find" name="find" maxlength="40" placeholder="c?t, *ing, * *" autofocus>
  <label for="from">From</label><input type="text" id="from" name="from" maxlength="40" placeholder="letters">
  <label for="include">Include</label><input type="text" id="include" name="include" maxlength="20">
  <label for="exclude">Exclude</label><input type="text" id="exclude" name="exclude" maxlength="20">
  <div class="checks">
    <label><input type="checkbox" id="use_all" checked> Use All FROM Letters</label>
    <label><input type="checkbox" id="suppress"> Suppress Permutations</label>
    <label><input type="checkbox" id="rank" checked> Common words first</label>
  </div>
  <details class="more"><summary>More options</summary><div>
    <label for="min_length">Shortest</label><input type="number" id="min_length" min="1" max="20" placeholder="letters">
    <label for="max_length">Longest</label><input type="number" id="max_length" min="1" max="20" placeholder="letters">
    <label for="blanks">Blanks</label><input type="number" id="blanks" min="1" max="20" placeholder="tiles">
    <label for="limit">Limit</label><input type="number" id="limit" min="1" placeholder="results">
    <span></span><label><input type="checkbox" id="distinct"> each result once</label>
  </div></details>
  <div class="buttons"><button type="submit" id="start">Start</button>
    <button type="button" class="plain" id="cancel">Cancel</button></div>
</form>
</section>
<section id="output">
  <div class="status">
    <span>Found <b id="found">0</b></span><span>Checked <b id="checked">0</b></span>
    <span id="state">Ready</span>
    <span id="announce" class="sr" role="status" aria-live="polite"></span>
    <a id="report" href="#" download="wordkeg-results.txt" hidden>Save the results</a>
  </div>
  <div id="error" role="alert"></div>
  <div id="notes"></div>
  <div id="results"></div>
  <div id="more"></div>
</section>
<section id="dicts">
  <strong>Dictionaries</strong>
  <ul id="dictionaries"></ul>
</section>
<section id="help" class="help">
  <details><summary>Pattern help</summary><dl>
    <dt>?</dt><dd>any one letter (also typed as /)</dd>
    <dt>*</dt><dd>any run of letters, none included</dd>
    <dt>5</dt><dd>a digit: that many ? (c5 is c?????)</dd>
    <dt>letters</dt><dd>themselves; case does not matter</dd>
    <dt>blank</dt><dd>between patterns: a sequence of words, one per pattern (FROM needed)</dd>
    <dt>!</dt><dd>at the end: as many words as the FROM letters left make</dd>
    <dt>FROM</dt><dd>the letters the words are made of, each used once; an upper-case letter
      may repeat in a single-word search without Use All</dd>
  </dl></details>
</section>
</main>
<script src="/page.js"></script>
</body>
</html>
)PAGE";
}

const char* pageScript() {
  return R"SCRIPT("use strict";
const $ = (id) => document.getElementById(id);
const texts = ["find", "from", "include", "exclude"];
const numbers = ["min_length", "max_length", "blanks", "limit"];
const flags = ["use_all", "suppress", "distinct"];
const shownAtMost = 20000;  // more would slow a phone; the saved report holds them all
let controller = null;
let found = 0, shown = 0, longest = 4, pending = [], drawing = false, complete = false;
let ranking = false, ranked = false;  // rank=1 asked; its final results have begun
let received = 0;  // result lines come so far (ranked with a limit, fewer than found)
let only = [];  // dictionaries an address named (dict=): the search reads just those

// A message of the program as the page's fields name things.
function plain(message) {
  const labels = {"--min-length": "Shortest", "--max-length": "Longest", "--blanks": "Blanks",
                  "--limit": "Limit", "--from": "From", "min_length": "Shortest",
                  "max_length": "Longest", "blanks": "Blanks", "limit": "Limit"};
  if (/after ! is ignored|after the ! wildcard/.test(message))
    return "Find: what follows ! is ignored (! stands for any words the From letters left make).";
  return message.replace(/--min-length|--max-length|--blanks|--limit|--from|min_length|max_length|\bblanks\b|\blimit\b/g,
                         (option) => labels[option]);
}
function count(n) { return Number(n).toLocaleString(); }
function noteOnly() {
  if (only.length) $("notes").textContent = "Searching only: " + only.join(", ") + "\n";
}

function query() {
  const p = new URLSearchParams();
  p.set("find", $("find").value.trim() || "*");
  for (const n of texts.slice(1)) if ($(n).value) p.set(n, $(n).value);
  for (const n of numbers) if ($(n).value) p.set(n, $(n).value);
  for (const n of flags) if ($(n).checked !== (n === "use_all")) p.set(n, $(n).checked ? "1" : "0");
  for (const d of only) p.append("dict", d);
  p.set("rank", $("rank").checked ? "1" : "0");  // on unless the address says otherwise
  return p;
}

function fill(p) {
  for (const n of texts) if (p.has(n)) $(n).value = p.get(n);
  for (const n of numbers) if (p.has(n)) $(n).value = p.get(n);
  for (const n of flags) if (p.has(n)) $(n).checked = p.get(n) === "1";
  $("rank").checked = p.get("rank") !== "0";
  only = p.getAll("dict");
  noteOnly();
  if (p.has("min_length") || p.has("max_length") || p.has("blanks") || p.has("limit") || p.has("distinct"))
    document.querySelector("details.more").open = true;
}

// The state as shown; a screen reader is told the start and the end with the counts, not each
// of thousands of results.
function setState(text) {
  $("state").textContent = text;
  const counts = found || complete ? ": " + count(found) + " found, " + $("checked").textContent +
    " checked" : "";
  $("announce").textContent = text === "Searching" ? text : text.split(":")[0] + counts;
}

function draw() {
  drawing = false;
  const box = $("results"), frag = document.createDocumentFragment();
  for (const r of pending.splice(0, 4000)) {
    if (shown >= shownAtMost) break;
    frag.appendChild(row(r));
    shown++;
  }
  box.appendChild(frag);
  box.style.setProperty("--col", (longest + 1) + "ch");
  $("found").textContent = count(found);
  showMore();
  if (pending.length && shown < shownAtMost) later(); else pending = [];
}
// A result's row; a ranked one says each word's level in the word lists (10 the most common).
function row(r) {
  const d = document.createElement("div");
  d.textContent = r.text;
  if (r.levels) {
    const words = r.text.split(" ").filter((w) => w);
    d.title = "Word-list levels (10 most common, 100 unlisted): " +
      words.map((w, i) => w + " " + r.levels[i]).join(", ");
    d.dataset.level = Math.max(...r.levels);
  }
  return d;
}
// The best results so far of a ranked search, in place of what was shown.
function showBest(best) {
  const box = $("results");
  box.textContent = "";
  for (const r of best) {
    if (r.result.length > longest) longest = r.result.length;
    box.appendChild(row({text: r.result, levels: r.levels}));
  }
  box.style.setProperty("--col", (longest + 1) + "ch");
}
function later() { if (!drawing) { drawing = true; requestAnimationFrame(draw); } }
// The results found but not drawn: all of them are in the saved results.
function showMore() {
  const hidden = received - shown - pending.length;
  $("more").textContent = hidden <= 0 ? ""
    : count(hidden) + " more not shown" + (complete ? ": save the results to see them all" : "");
}

function take(o) {
  if ("result" in o) {
    if (ranking && !ranked) {  // the final order: the best so far make way
      ranked = true;
      $("results").textContent = "";
      found = shown = received = 0;
    }
    found++;
    received++;
    if (o.result.length > longest) longest = o.result.length;
    if (shown + pending.length < shownAtMost) pending.push({text: o.result, levels: o.levels});
    later();
  } else if ("best" in o) {
    if (!ranked) showBest(o.best);
  } else if ("progress" in o) {
    $("checked").textContent = count(o.progress.checked);
    if (ranking && !ranked) $("found").textContent = count(o.progress.found);
  } else if ("message" in o) {
    $("notes").textContent += plain(o.message) + "\n";
  } else if ("error" in o) {
    $("error").textContent = plain(o.error);
    setState("Stopped");
  } else if ("found" in o) {
    found = o.found;
    complete = true;
    $("checked").textContent = count(o.checked);
    later();
    setState(o.found > 0 ? "Searching Completed" : "Searching Completed: nothing found");
    if (o.found > 0) $("report").hidden = false;
  }
}

async function search() {
  cancel(true);
  const p = query();
  history.replaceState(null, "", "?" + p.toString());
  const saved = new URLSearchParams(p);
  // The saved results keep the order found: ranked, all of them, as a limit would keep others.
  if (saved.get("rank") === "1") saved.delete("limit");
  saved.delete("rank");
  $("report").href = "/api/report?" + saved.toString();
  $("report").hidden = true;
  for (const id of ["results", "notes", "error", "more"]) $(id).textContent = "";
  found = shown = received = 0; longest = 4; pending = []; complete = false;
  ranking = $("rank").checked; ranked = false;
  noteOnly();
  $("found").textContent = $("checked").textContent = "0";
  setState("Searching");
  controller = new AbortController();
  const mine = controller;
  try {
    const res = await fetch("/api/search?" + p.toString(), {signal: mine.signal});
    if (!res.ok) {
      const body = await res.json().catch(() => ({error: res.statusText}));
      $("error").textContent = plain(body.error);
      setState("Refused");
      return;
    }
    const reader = res.body.getReader(), decoder = new TextDecoder();
    let rest = "";
    for (;;) {
      const {value, done} = await reader.read();
      if (done) break;
      rest += decoder.decode(value, {stream: true});
      const lines = rest.split("\n");
      rest = lines.pop();
      for (const line of lines) if (line) take(JSON.parse(line));
    }
  } catch (e) {
    if (mine.signal.aborted) return;
    $("error").textContent = "The server could not be reached: " + e.message;
    setState("Stopped");
  } finally {
    if (controller === mine) controller = null;
  }
}

function cancel(quiet) {
  if (!controller) return;
  controller.abort();
  controller = null;
  if (!quiet) setState("Search Cancelled");
  showMore();
}

async function loadDictionaries() {
  const list = $("dictionaries");
  try {
    const res = await fetch("/api/dictionaries");
    const body = await res.json();
    list.textContent = "";
    if (!res.ok) { list.textContent = body.error; return; }
    if (!body.length) list.textContent = "No dictionaries in this home.";
    for (const d of body) {
      const li = document.createElement("li"), label = document.createElement("label");
      const box = document.createElement("input"), note = document.createElement("small");
      box.type = "checkbox";
      box.checked = d.selected;
      box.addEventListener("change", () => choose(d.name, box));
      note.textContent = " " + count(d.words) + " words";
      label.append(box, " " + d.name, note);
      li.appendChild(label);
      list.appendChild(li);
    }
  } catch (e) {
    list.textContent = "The server could not be reached.";
  }
}

async function choose(name, box) {
  const p = new URLSearchParams({name: name, selected: box.checked ? "1" : "0"});
  let error = "";
  try {
    const res = await fetch("/api/dictionaries?" + p.toString(), {method: "POST"});
    if (!res.ok) error = (await res.json().catch(() => ({error: res.statusText}))).error;
  } catch (e) {
    error = "The server could not be reached: the selection is unchanged.";
  }
  if (error) {
    box.checked = !box.checked;
    $("error").textContent = error;
  }
}

// The report is made by running the search again: say so, and why it cannot start.
$("report").addEventListener("click", (e) => {
  const chosen = only.length || document.querySelector("#dictionaries input:checked");
  if (!chosen) {
    e.preventDefault();
    $("error").textContent = "No dictionary is selected: select one to save its results.";
    return;
  }
  $("notes").textContent = "Saving: the search runs again to write every result; your " +
    "browser's downloads show how far it has come.\n";
});
$("form").addEventListener("submit", (e) => { e.preventDefault(); search(); });
$("cancel").addEventListener("click", () => cancel(false));
document.addEventListener("keydown", (e) => { if (e.key === "Escape") cancel(false); });
loadDictionaries();
const start = new URLSearchParams(location.search);
fill(start);
if (start.has("find")) search();
)SCRIPT";
}

}  // namespace wk::web
