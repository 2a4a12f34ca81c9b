// page.cpp - see page.h. One self-contained file: the frames' list and the
// flight's values are written into it as JSON, and a few lines of script
// play them.
#include "page.h"

#include <cmath>
#include <cstdio>
#include <fstream>

#include "host.h"
#include "json.h"

namespace app {

namespace {

constexpr const char* kHead = R"html(<!doctype html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>@TITLE@</title>
<style>
  body { background: #15171a; color: #d8dadc; font: 14px/1.4 system-ui, sans-serif; margin: 16px; }
  h1 { font-size: 17px; font-weight: 600; margin: 0 0 10px; }
  #stage { position: relative; max-width: 100%; }
  #frame { display: block; max-width: 100%; height: auto; background: #000; image-rendering: auto; }
  #controls { display: flex; gap: 10px; align-items: center; margin: 10px 0; flex-wrap: wrap; }
  #slider { flex: 1; min-width: 240px; }
  button, select { background: #2a2e33; color: #e8e8e8; border: 1px solid #444a50; border-radius: 4px; padding: 4px 10px; font: inherit; }
  #time { font-variant-numeric: tabular-nums; min-width: 7em; }
  #below { display: flex; gap: 24px; flex-wrap: wrap; }
  table { border-collapse: collapse; font-variant-numeric: tabular-nums; }
  td { padding: 1px 10px 1px 0; }
  td.v { text-align: right; color: #fff; }
  #log { max-height: 260px; overflow-y: auto; min-width: 360px; flex: 1; }
  #log div { cursor: pointer; padding: 0 4px; white-space: nowrap; }
  #log div:hover { background: #2a2e33; }
  #log div.past { color: #8d9196; }
  #log span { display: inline-block; width: 4.5em; color: #9fc7ff; }
  .hint { color: #80858a; font-size: 12px; }
</style>
</head>
<body>
<h1>@TITLE@</h1>
<div id="stage"><img id="frame" alt="panel frame" width="@WIDTH@" height="@HEIGHT@"></div>
<div id="controls">
  <button id="play">&#9654; Play</button>
  <button id="back" title="previous frame (left arrow)">&#9664;</button>
  <button id="next" title="next frame (right arrow)">&#9654;</button>
  <input id="slider" type="range" min="0" value="0">
  <span id="time"></span>
  <select id="speed">
    <option value="0.5">0.5x</option><option value="1" selected>1x</option><option value="2">2x</option>
    <option value="4">4x</option><option value="8">8x</option>
  </select>
</div>
<div id="below">
  <table id="values"></table>
  <div id="log"></div>
</div>
<p class="hint">Space plays and pauses; the arrow keys step a frame; a line of the log jumps to its moment.</p>
<script>
const data = @DATA@;
)html";

constexpr const char* kScript = R"html(
const img = document.getElementById('frame'), slider = document.getElementById('slider');
const timeLabel = document.getElementById('time'), playButton = document.getElementById('play');
const speed = document.getElementById('speed'), table = document.getElementById('values');
const log = document.getElementById('log');
slider.max = data.frames.length - 1;
const cache = [];
function load(i) {
  if (i < 0 || i >= data.frames.length || cache[i]) return;
  cache[i] = new Image(); cache[i].src = data.frames[i].file;
}
function clock(t) {
  const m = Math.floor(t / 60), s = t - 60 * m;
  return m + ':' + (s < 10 ? '0' : '') + s.toFixed(1);
}
const cells = data.columns.map(name => {
  const row = table.insertRow(); row.insertCell().textContent = name;
  const cell = row.insertCell(); cell.className = 'v'; return cell;
});
const lines = data.events.map(e => {
  const div = document.createElement('div');
  div.innerHTML = '<span>' + clock(e.time) + '</span>';
  div.appendChild(document.createTextNode(e.text));
  div.onclick = () => { pause(); show(frameAt(e.time)); };
  log.appendChild(div); return div;
});
function frameAt(t) {
  let lo = 0, hi = data.frames.length - 1;
  while (lo < hi) { const mid = (lo + hi + 1) >> 1; if (data.frames[mid].time <= t + 1e-6) lo = mid; else hi = mid - 1; }
  return lo;
}
let current = 0;
function show(i) {
  current = Math.max(0, Math.min(data.frames.length - 1, i));
  const f = data.frames[current];
  img.src = f.file; slider.value = current;
  timeLabel.textContent = clock(f.time) + ' / ' + clock(data.frames[data.frames.length - 1].time);
  f.values.forEach((v, k) => { cells[k].textContent = v === null ? '\u2013' : v; });
  data.events.forEach((e, k) => lines[k].classList.toggle('past', e.time <= f.time + 1e-6));
  for (let k = 1; k <= 24; ++k) load(current + k);
}
let timer = null, started = 0, startFrame = 0;
function tick() {
  const elapsed = (performance.now() - started) / 1000 * parseFloat(speed.value);
  const t = data.frames[startFrame].time + elapsed;
  const i = frameAt(t);
  if (i !== current) show(i);
  if (i >= data.frames.length - 1) { pause(); return; }
  timer = requestAnimationFrame(tick);
}
function play() {
  if (current >= data.frames.length - 1) show(0);
  started = performance.now(); startFrame = current;
  playButton.innerHTML = '&#10074;&#10074; Pause'; timer = requestAnimationFrame(tick);
}
function pause() {
  if (timer !== null) cancelAnimationFrame(timer);
  timer = null; playButton.innerHTML = '&#9654; Play';
}
playButton.onclick = () => (timer === null ? play() : pause());
speed.onchange = () => { if (timer !== null) { pause(); play(); } };
slider.oninput = () => { pause(); show(parseInt(slider.value)); };
document.getElementById('back').onclick = () => { pause(); show(current - 1); };
document.getElementById('next').onclick = () => { pause(); show(current + 1); };
document.addEventListener('keydown', e => {
  if (e.key === ' ') { e.preventDefault(); timer === null ? play() : pause(); }
  if (e.key === 'ArrowLeft') { pause(); show(current - 1); }
  if (e.key === 'ArrowRight') { pause(); show(current + 1); }
});
show(0);
</script>
</body>
</html>
)html";

std::string replace_all(std::string s, const std::string& what, const std::string& with) {
    for (std::size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + with.size()))
        s.replace(at, what.size(), with);
    return s;
}

// Text for the page: JSON escapes, and "</" kept from closing the script.
std::string js_string(const std::string& s) { return replace_all(host::json_string(s), "</", "<\\/"); }

std::string html_text(const std::string& s) {
    std::string out;
    for (char c : s) out += c == '<' ? "&lt;" : c == '>' ? "&gt;" : c == '&' ? "&amp;" : std::string(1, c);
    return out;
}

std::string value_json(double v) {
    if (!std::isfinite(v)) return "null";
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6g", v);
    return buf;
}

}  // namespace

void write_page(const std::string& dir, const PageData& d) {
    std::string json = "{\"columns\":[";
    for (std::size_t i = 0; i < d.columns.size(); ++i) json += (i ? "," : "") + js_string(d.columns[i]);
    json += "],\"frames\":[";
    for (std::size_t i = 0; i < d.frames.size(); ++i) {
        const PageFrame& f = d.frames[i];
        json += (i ? ",\n" : "\n") + std::string("{\"file\":") + js_string(f.file) + ",\"time\":" + value_json(f.time) +
                ",\"values\":[";
        for (std::size_t k = 0; k < f.values.size(); ++k) json += (k ? "," : "") + value_json(f.values[k]);
        json += "]}";
    }
    json += "],\"events\":[";
    for (std::size_t i = 0; i < d.events.size(); ++i)
        json += (i ? ",\n" : "\n") + std::string("{\"time\":") + value_json(d.events[i].time) + ",\"text\":" +
                js_string(d.events[i].text) + "}";
    json += "]}";

    std::string head = replace_all(kHead, "@TITLE@", html_text(d.title));
    head = replace_all(head, "@WIDTH@", std::to_string(d.width));
    head = replace_all(head, "@HEIGHT@", std::to_string(d.height));
    head = replace_all(head, "@DATA@", json);
    std::string path = dir + "/index.html";
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << head << kScript;
    if (!out) throw host::HostError("cannot write " + path);
}

}  // namespace app
