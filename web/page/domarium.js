// The page: binds the form's controls to the engine's C functions, draws the
// engine's chart into the canvas and keeps the address in step with the
// settings. It holds no sky state of its own: every value shown is read back
// from the engine after each change.
"use strict";

// The engine's table of settings (readSettings): each setting's id by its name, which
// is also its control's element id and its name in the address; the lists, the 表示
// group's checkboxes in the order of the address's overlays list, the scroll bars.
const Control = {};
const Lists = [];
const Overlays = [];
const Scrolls = [];
// Read-outs in the engine's order: azimuth, latitude, elevation, longitude.
const Readouts = ["azimuth", "latitude", "elevation", "longitude"];
const LeftButton = 1;

const page = {
  engine: null, api: null, settings: [], overlays: "", items: {}, defaults: {}, messages: [],
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
    settings: m.cwrap("domarium_settings", "string", []),
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

// The address names each setting that differs from the start-up value, in the table's
// order, with the command lines' option names and the values the lists show; the
// overlays that are on as one comma list where the table's overlays begin, written as
// the snapshot tool takes it.
function followAddress() {
  const query = new URLSearchParams();
  for (const setting of page.settings) {
    const name = setting.name;
    if (setting.kind === "flag") {
      if (name !== Overlays[0]) continue;
      const on = Overlays.filter((overlay) => page.api.get(Control[overlay]) === 1);
      if (on.length > 0) query.set(page.overlays, on.join(","));
      continue;
    }
    const value = page.api.get(Control[name]);
    if (value === page.defaults[name]) continue;
    query.set(name, setting.kind === "list" ? page.items[name][value] : String(value));
  }
  const text = query.toString().replace(/%2C/g, ",");
  const address = location.pathname + (text ? "?" + text : "");
  if (address !== location.pathname + location.search) history.replaceState(null, "", address);
}

// The table of settings, from the engine, sorted by kind.
function readSettings() {
  const table = JSON.parse(page.api.settings());
  page.settings = table.settings;
  page.overlays = table.overlays;
  for (const setting of page.settings) {
    Control[setting.name] = setting.id;
    if (setting.kind === "list") {
      Lists.push(setting.name);
      page.items[setting.name] = setting.items;
    }
    if (setting.kind === "flag") Overlays.push(setting.name);
    if (setting.kind === "scroll") Scrolls.push(setting.name);
  }
}

function fillControls() {
  for (const setting of page.settings) {
    const name = setting.name;
    const element = document.getElementById(name);
    if (setting.kind === "list") {
      element.replaceChildren(...setting.items.map((text, i) => new Option(text, String(i))));
      element.addEventListener("change", () => change(name, Number(element.value)));
    } else if (setting.kind === "scroll") {
      element.min = setting.min;
      element.max = setting.max;
      element.step = 1;
      element.addEventListener("input", () => change(name, Number(element.value)));
    } else {
      // An overlay waits for its labels' glyphs, fetched just after the first chart.
      element.addEventListener("change", () => {
        const on = element.checked ? 1 : 0;
        page.glyphsRest.then(() => change(name, on));
      });
    }
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

// The chart's glyph file as the engine reads it. The folder holds it compressed with
// gzip, inflated here by the browser; a server that compresses it again on the way has
// that layer taken off by the browser already. Null when it cannot be had.
async function fetchGlyphs(name) {
  const bytes = await fetchFile(name);
  if (!bytes || bytes[0] !== 0x1f || bytes[1] !== 0x8b) return bytes;
  try {
    const inflated = new Blob([bytes]).stream().pipeThrough(new DecompressionStream("gzip"));
    return new Uint8Array(await new Response(inflated).arrayBuffer());
  } catch (e) {
    return null;
  }
}

// The chart's glyphs come in two files: ChartGlyphs, the compass labels, all that a
// chart without overlays prints, and GlyphsRest, which it names, for the overlays'
// labels; the engine reads the second at the first label the first lacks.
const GlyphsRest = "ChartGlyphsRest";

async function start() {
  const about = document.getElementById("about");
  document.getElementById("about-open").addEventListener("click", () => about.showModal());
  // The catalogue, the constellations and star names that sit beside it, and the
  // first chart's glyph file are fetched while the module compiles; the overlays'
  // glyphs too when the address turns overlays on, else after the first chart.
  const overlaysFirst = new URLSearchParams(location.search).has("overlays");
  const rest = overlaysFirst ? fetchGlyphs(GlyphsRest) : null;
  const files = Promise.all([fetchFile("StarData"), fetchGlyphs("ChartGlyphs"),
    fetchFile("ConstellationData"), fetchFile("StarNames")]);
  page.engine = await DomariumEngine();
  performance.mark("module");
  page.api = bindApi(page.engine);
  // Resolved once the overlays' glyphs are in the engine's file system (or could not
  // be had: the engine then reports the missing file at the first overlay label).
  const writeRest = async (bytes) => {
    const data = await bytes;
    if (data) page.engine.FS.writeFile("/" + GlyphsRest, data);
  };
  if (overlaysFirst) page.glyphsRest = writeRest(rest);
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
  readSettings();
  fillControls();
  for (const name of Object.keys(Control)) page.defaults[name] = page.api.get(Control[name]);
  if (overlaysFirst) await page.glyphsRest;
  readAddress();
  performance.mark("address");
  bindAnimate();
  // The address's settings may have stopped the engine: its message, not a blank chart.
  afterEngine();
  // Milliseconds from navigation to the first chart on the canvas.
  page.firstChartMs = performance.now();
  if (!overlaysFirst) page.glyphsRest = writeRest(fetchGlyphs(GlyphsRest));
  page.ready = true;
  // The observer's first call comes before the first chart is painted, for the side the
  // chart already has: a redraw then would only hold the paint back.
  new ResizeObserver(() => {
    if (page.api.error()) return;
    const side = fittingSide();
    if (side === page.api.side()) return;
    page.api.resize(side);
    afterEngine();
  }).observe(page.box);
  if ("serviceWorker" in navigator) navigator.serviceWorker.register("service-worker.js");
}

start();
