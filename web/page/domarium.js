// The page: binds the form's controls to the engine's C functions, draws the
// engine's chart into the canvas and keeps the address in step with the
// settings. It holds no sky state of its own: every value shown is read back
// from the engine after each change.
"use strict";

// The engine's settings by the page's names; the overlays and the trails' span
// by the snapshot tool's names for them, as the address writes them.
const Control = { azimuth: 0, longitude: 1, latitude: 2, elevation: 3, limit: 4, step: 5,
  month: 6, day: 7, hour: 8, minute: 9, sun: 10, seasons: 11, circles: 12, trails: 13,
  constellations: 14, names: 15, "trail-hours": 16, moon: 17, planets: 18, space: 19,
  year: 20 };
const Lists = ["month", "day", "hour", "minute", "step", "limit", "trail-hours"];
// The 表示 group's checkboxes, in the order of the address's "overlays" list.
const Overlays = ["sun", "seasons", "circles", "trails", "constellations", "names", "moon",
  "planets", "space"];
const Scrolls = ["azimuth", "elevation", "longitude", "latitude"];
// Read-outs in the engine's order: azimuth, latitude, elevation, longitude.
const Readouts = ["azimuth", "latitude", "elevation", "longitude"];
const LeftButton = 1;

const page = {
  engine: null, api: null, defaults: {}, messages: [],
  chart: document.getElementById("chart"),
  box: document.getElementById("chart-box"),
};
window.domarium = page;  // For the tests: the state they read back.

function showMessage(text) {
  const box = document.getElementById("message");
  if (text) page.messages.push(text);
  box.textContent = page.messages.join("\n");
  box.hidden = page.messages.length === 0;
}

function bindApi(m) {
  return {
    start: m.cwrap("domarium_start", "number", ["string", "string", "number"]),
    error: m.cwrap("domarium_error", "string", []),
    set: m.cwrap("domarium_set", "number", ["number", "number"]),
    get: m.cwrap("domarium_get", "number", ["number"]),
    minimum: m.cwrap("domarium_minimum", "number", ["number"]),
    maximum: m.cwrap("domarium_maximum", "number", ["number"]),
    items: m.cwrap("domarium_items", "string", ["number"]),
    parameter: m.cwrap("domarium_parameter", "string", ["string", "string"]),
    button: m.cwrap("domarium_button", null, ["number", "number"]),
    resize: m.cwrap("domarium_resize", null, ["number"]),
    readout: m.cwrap("domarium_readout", "string", ["number"]),
    side: m.cwrap("domarium_chart_side", "number", []),
    rgba: m.cwrap("domarium_chart_rgba", "number", []),
    benchRedraw: m.cwrap("domarium_bench_redraw", "number", ["number", "number", "number", "number"]),
  };
}

// The chart side in device pixels that fits the chart's box.
function fittingSide() {
  const ratio = window.devicePixelRatio || 1;
  const css = Math.max(1, Math.floor(Math.min(page.box.clientWidth, page.box.clientHeight)));
  return Math.max(1, Math.floor(css * ratio));
}

function drawChart() {
  const api = page.api;
  const side = api.side();
  const pointer = api.rgba();
  if (!pointer || side <= 0) return;
  const canvas = page.chart;
  if (canvas.width !== side) { canvas.width = side; canvas.height = side; }
  const ratio = window.devicePixelRatio || 1;
  canvas.style.width = canvas.style.height = side / ratio + "px";
  const pixels = new Uint8ClampedArray(page.engine.HEAPU8.buffer, pointer, side * side * 4);
  canvas.getContext("2d").putImageData(new ImageData(pixels, side, side), 0, 0);
}

// Reads every control back from the engine: lists, bars, read-outs, address.
function showState() {
  const api = page.api;
  for (const name of [...Lists, ...Scrolls]) {
    const element = document.getElementById(name);
    const value = String(api.get(Control[name]));
    if (element.value !== value) element.value = value;
  }
  for (const name of Overlays) {
    document.getElementById(name).checked = api.get(Control[name]) === 1;
  }
  Readouts.forEach((name, i) => {
    document.getElementById(name + "-readout").textContent = api.readout(i);
  });
  drawChart();
  followAddress();
}

// The address names each setting that differs from the start-up value, with
// the snapshot tool's option names and the values its lists show; the overlays
// that are on as one comma list, written as the snapshot tool takes it.
function followAddress() {
  const query = new URLSearchParams();
  for (const name of ["month", "day", "hour", "minute", "longitude", "latitude", "azimuth",
    "elevation", "limit", "step"]) {
    const value = page.api.get(Control[name]);
    if (value === page.defaults[name]) continue;
    query.set(name, addressValue(name, value));
  }
  const year = page.api.get(Control.year);
  if (year !== page.defaults.year) query.set("year", String(year));
  const on = Overlays.filter((name) => page.api.get(Control[name]) === 1);
  if (on.length > 0) query.set("overlays", on.join(","));
  const hours = page.api.get(Control["trail-hours"]);
  if (hours !== page.defaults["trail-hours"]) {
    query.set("trail-hours", addressValue("trail-hours", hours));
  }
  const text = query.toString().replace(/%2C/g, ",");
  const address = location.pathname + (text ? "?" + text : "");
  if (address !== location.pathname + location.search) history.replaceState(null, "", address);
}

function addressValue(name, value) {
  if (name === "limit" || name === "step" || name === "trail-hours") return page.items[name][value];
  if (name === "month" || name === "day") return String(value + 1);
  return String(value);
}

function fillControls() {
  const api = page.api;
  page.items = {};
  for (const name of Lists) {
    const select = document.getElementById(name);
    page.items[name] = api.items(Control[name]).split("\n").slice(0, -1);
    select.replaceChildren(...page.items[name].map((text, i) => new Option(text, String(i))));
    select.addEventListener("change", () => change(name, Number(select.value)));
  }
  for (const name of Scrolls) {
    const input = document.getElementById(name);
    input.min = api.minimum(Control[name]);
    input.max = api.maximum(Control[name]);
    input.step = 1;
    input.addEventListener("input", () => change(name, Number(input.value)));
  }
  for (const name of Overlays) {
    const box = document.getElementById(name);
    box.addEventListener("change", () => change(name, box.checked ? 1 : 0));
  }
}

function change(name, value) {
  page.api.set(Control[name], value);
  afterEngine();
}

// After each call: the engine's message, if it stopped, or the new state.
function afterEngine() {
  const error = page.api.error();
  if (error) { stopped(error); return; }
  showState();
}

function stopped(error) {
  showMessage(error);
  document.querySelectorAll("#controls select, #controls input, #animate")
    .forEach((element) => { element.disabled = true; });
}

// The animate button: a press on it starts the hold, each move while held
// advances the clock, the release ends it. Pointer capture keeps the moves and
// the release coming when the finger or pen leaves the button, as the desktop
// button keeps the mouse.
function bindAnimate() {
  const button = document.getElementById("animate");
  let held = null;
  button.addEventListener("pointerdown", (event) => {
    if (event.button !== 0 || held !== null) return;
    held = event.pointerId;
    button.setPointerCapture(event.pointerId);
    button.classList.add("held");
    page.api.button(0, LeftButton);
    afterEngine();
  });
  button.addEventListener("pointermove", (event) => {
    if (event.pointerId !== held) return;
    page.api.button(1, LeftButton);
    afterEngine();
  });
  const release = (event) => {
    if (event.pointerId !== held) return;
    held = null;
    button.classList.remove("held");
    page.api.button(2, LeftButton);
    afterEngine();
  };
  button.addEventListener("pointerup", release);
  button.addEventListener("pointercancel", release);
  // Keyboard: each press of Enter or Space while focused is one step of a hold.
  button.addEventListener("keydown", (event) => {
    if (event.key !== "Enter" && event.key !== " ") return;
    event.preventDefault();
    page.api.button(0, LeftButton);
    page.api.button(1, LeftButton);
    page.api.button(2, LeftButton);
    afterEngine();
  });
  button.addEventListener("contextmenu", (event) => event.preventDefault());
}

function readAddress() {
  const query = new URLSearchParams(location.search);
  for (const [name, value] of query) {
    const message = page.api.parameter(name, value);
    if (message) showMessage(message);
  }
}

// A file of the edition's folder as bytes; null when it cannot be had (offline
// without a cached copy, or missing on the server).
async function fetchFile(name) {
  try {
    const response = await fetch(name);
    return response.ok ? new Uint8Array(await response.arrayBuffer()) : null;
  } catch (e) {
    return null;
  }
}

async function start() {
  const about = document.getElementById("about");
  document.getElementById("about-open").addEventListener("click", () => about.showModal());
  // The catalogue, the constellations and star names that sit beside it, and the
  // chart's glyph file are fetched while the module compiles.
  const files = Promise.all([fetchFile("StarData"), fetchFile("ChartGlyphs"),
    fetchFile("ConstellationData"), fetchFile("StarNames")]);
  page.engine = await DomariumEngine();
  performance.mark("module");
  page.api = bindApi(page.engine);
  const [stars, glyphs, lines, names] = await files;
  // StarData goes through the engine's own loader: written into the engine's
  // file system as fetched; when the fetch failed, nothing is written and the
  // loader reports the missing file.
  if (stars) page.engine.FS.writeFile("/StarData", stars);
  // The start-up reads the constellations beside StarData, as the desktop's does.
  if (lines) page.engine.FS.writeFile("/ConstellationData", lines);
  if (names) page.engine.FS.writeFile("/StarNames", names);
  if (glyphs) page.engine.FS.writeFile("/ChartGlyphs", glyphs);
  if (!page.api.start("/StarData", "/ChartGlyphs", fittingSide())) {
    stopped(page.api.error());
    return;
  }
  performance.mark("started");
  fillControls();
  for (const name of Object.keys(Control)) page.defaults[name] = page.api.get(Control[name]);
  readAddress();
  performance.mark("address");
  bindAnimate();
  // The address's settings may have stopped the engine: its message, not a blank chart.
  afterEngine();
  // Milliseconds from navigation to the first chart on the canvas.
  page.firstChartMs = performance.now();
  page.ready = true;
  new ResizeObserver(() => {
    if (page.api.error()) return;
    page.api.resize(fittingSide());
    afterEngine();
  }).observe(page.box);
  if ("serviceWorker" in navigator) navigator.serviceWorker.register("service-worker.js");
}

start();
