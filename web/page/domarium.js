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
  engine: null, api: null, holding: false, settings: [], overlays: "", items: {}, defaults: {}, messages: [],
  now: () => performance.now(),
  chart: document.getElementById("chart"),
  ground: document.getElementById("ground"),
  box: document.getElementById("chart-box"),
  // On a narrow screen with a ground view, which chart the switch shows.
  showGround: false,
};
// Wider than this (CSS pixels), a ground view stands beside the dome; narrower, a switch
// shows one or the other.
const BesideWidth = 1200;
window.domarium = page;  // For the tests: the state they read back.

// Messages lie over the page (the chart keeps its size) until closed with ×.
function showMessage(text) {
  const box = document.getElementById("message");
  if (text) page.messages.push(text);
  document.getElementById("message-text").textContent = page.messages.join("\n");
  box.hidden = page.messages.length === 0;
}

function bindMessage() {
  document.getElementById("message-close").addEventListener("click", () => {
    page.messages = [];
    showMessage("");
  });
}

function bindApi(m) {
  return {
    start: m.cwrap("domarium_start", "number", ["string", "string", "number", "number"]),
    error: m.cwrap("domarium_error", "string", []),
    set: m.cwrap("domarium_set", "number", ["number", "number"]),
    get: m.cwrap("domarium_get", "number", ["number"]),
    settings: m.cwrap("domarium_settings", "string", []),
    parameter: m.cwrap("domarium_parameter", "string", ["string", "string"]),
    // A hold of the animate button runs from its press (event 0) to its release (2).
    button: (() => {
      const button = m.cwrap("domarium_button", null, ["number", "number"]);
      return (event, buttons) => {
        if (event === 0) page.holding = true;
        if (event === 2) page.holding = false;
        button(event, buttons);
      };
    })(),
    resize: m.cwrap("domarium_resize", null, ["number"]),
    readout: m.cwrap("domarium_readout", "string", ["number"]),
    side: m.cwrap("domarium_chart_side", "number", []),
    rgba: m.cwrap("domarium_chart_rgba", "number", []),
    benchRedraw: m.cwrap("domarium_bench_redraw", "number", ["number", "number", "number", "number"]),
    play: m.cwrap("domarium_play", "number", ["number", "number"]),
    playing: m.cwrap("domarium_playing", "number", []),
    now: m.cwrap("domarium_now", null, ["number"]),
    palette: m.cwrap("domarium_palette", "number", ["number"]),
    large: m.cwrap("domarium_large", "number", ["number"]),
    sunText: m.cwrap("domarium_sun_text", "string", []),
    groundRgba: m.cwrap("domarium_ground_rgba", "number", ["number"]),
  };
}

// The chart side in device pixels that fits the chart's box.
function fittingSide() {
  const ratio = window.devicePixelRatio || 1;
  const panel = document.getElementById("sun-numbers");
  const beside = panel.hidden ? 0 : panel.offsetWidth + 8;
  // Two charts side by side share the width.
  const width = groundLayout() === "beside" ? (page.box.clientWidth - beside - 8) / 2
    : page.box.clientWidth - beside;
  const css = Math.max(1, Math.floor(Math.min(width, page.box.clientHeight)));
  return Math.max(1, Math.floor(css * ratio));
}

// The chart to the side its box allows now, redrawn when that changed.
function fitChart() {
  if (page.api.error() || page.printing) return;
  const side = fittingSide();
  if (side === page.api.side()) return;
  page.api.resize(side);
  afterEngine();
}

// How the ground view shows: "" without one (view=dome), "beside" the dome on a wide
// screen, "switch" on a narrow one.
function groundLayout() {
  if (!page.api || Control.view === undefined || page.api.get(Control.view) === 0) return "";
  return window.innerWidth > BesideWidth ? "beside" : "switch";
}

// The ground view's chart at the dome's side, and which charts and switch are shown.
function drawGround() {
  const layout = groundLayout();
  const switcher = document.getElementById("ground-switch");
  switcher.hidden = layout !== "switch";
  const groundShown = layout === "beside" || (layout === "switch" && page.showGround);
  page.ground.hidden = !groundShown;
  page.chart.hidden = layout === "switch" && page.showGround;
  document.getElementById("show-dome").setAttribute("aria-pressed", String(!page.chart.hidden));
  document.getElementById("show-ground").setAttribute("aria-pressed", String(groundShown));
  if (!groundShown) return;
  const side = page.api.side();
  const pointer = page.api.groundRgba(side);
  if (!pointer || side <= 0) return;
  paint(page.ground, pointer, side);
}

function bindGroundSwitch() {
  for (const [id, ground] of [["show-dome", false], ["show-ground", true]]) {
    document.getElementById(id).addEventListener("click", () => {
      page.showGround = ground;
      drawGround();
    });
  }
}

function paint(canvas, pointer, side) {
  if (canvas.width !== side) { canvas.width = side; canvas.height = side; }
  const ratio = window.devicePixelRatio || 1;
  canvas.style.width = canvas.style.height = side / ratio + "px";
  const pixels = new Uint8ClampedArray(page.engine.HEAPU8.buffer, pointer, side * side * 4);
  canvas.getContext("2d").putImageData(new ImageData(pixels, side, side), 0, 0);
}

function drawChart() {
  const api = page.api;
  const side = api.side();
  const pointer = api.rgba();
  if (!pointer || side <= 0) return;
  paint(page.chart, pointer, side);
  drawGround();
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
    const element = document.getElementById(name);
    const on = api.get(Control[name]) === 1;
    if (element.checked !== on) element.checked = on;
  }
  Readouts.forEach((name, i) => {
    const element = document.getElementById(name + "-readout");
    const text = api.readout(i);
    if (element.textContent !== text) element.textContent = text;
  });
  const playing = api.playing() === 1;
  const play = document.getElementById("play");
  if (play.getAttribute("aria-pressed") !== String(playing)) {
    play.setAttribute("aria-pressed", String(playing));
    play.textContent = playing ? "⏸ 停止" : "▶ 再生";
  }
  document.getElementById("palette").checked = api.palette(-1) === 1;
  document.getElementById("large").checked = api.large(-1) === 1;
  showSunNumbers();
  drawChart();
  // The address once the clock rests: at every step of a hold or of play the browser
  // would record a new one for nothing.
  if (!page.holding && !playing) followAddress();
}

// The Sun's day in numbers, while the Sun's overlay is on.
function showSunNumbers() {
  const panel = document.getElementById("sun-numbers");
  const hidden = page.api.get(Control.sun) !== 1;
  if (panel.hidden !== hidden) {
    panel.hidden = hidden;
    if (page.ready) fitChart();
  }
  if (hidden) return;
  // The numbers change with the date and the place only, not at each step of a day.
  const key = ["month", "day", "latitude", "longitude"].map((name) => page.api.get(Control[name])).join();
  if (key === page.sunKey) return;
  page.sunKey = key;
  const lines = page.api.sunText().split("\n").filter((line) => line);
  const list = document.getElementById("sun-lines");
  list.replaceChildren(...lines.map((line) => {
    const item = document.createElement("li");
    item.textContent = line;
    return item;
  }));
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
  if (page.api.palette(-1) !== 0) query.set(page.paletteName, page.paletteItems[page.api.palette(-1)]);
  const text = query.toString().replace(/%2C/g, ",");
  const address = location.pathname + (text ? "?" + text : "");
  if (address !== location.pathname + location.search) history.replaceState(null, "", address);
}

// The table of settings, from the engine, sorted by kind.
function readSettings() {
  const table = JSON.parse(page.api.settings());
  page.settings = table.settings;
  page.overlays = table.overlays;
  page.play = table.play;
  page.paletteName = table.palette.name;
  page.paletteItems = table.palette.items;
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
      // A list of words shows its captions; the address keeps the items' names.
      const texts = setting.captions || setting.items;
      element.replaceChildren(...texts.map((text, i) => new Option(text, String(i))));
      // The ground views write their directions in the label font: they wait for it.
      element.addEventListener("change", () => {
        const value = Number(element.value);
        if (name === "view") page.labelFont.then(() => change(name, value));
        else change(name, value);
      });
    } else if (setting.kind === "scroll") {
      element.min = setting.min;
      element.max = setting.max;
      element.step = 1;
      element.addEventListener("input", () => change(name, Number(element.value)));
    } else {
      // An overlay waits for its labels' font, fetched just after the first chart.
      element.addEventListener("change", () => {
        const on = element.checked ? 1 : 0;
        page.labelFont.then(() => change(name, on));
      });
    }
  }
}

function change(name, value) {
  page.api.set(Control[name], value);
  // A ground view beside the dome halves the charts' side.
  if (name === "view") fitChart();
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
  stopPlaying();
  document.querySelectorAll("#controls select, #controls input, #controls button")
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

// 再生: the engine steps the clock when a period has passed; the page asks at every
// frame. page.now is the clock it asks with (a test puts a fake clock there).
function bindPlay() {
  const button = document.getElementById("play");
  const rate = document.getElementById("play-rate");
  rate.replaceChildren(...page.play.items.map((text, i) => new Option(text, String(i))));
  rate.value = String(page.play.default);
  rate.addEventListener("change", () => page.api.play(3 + Number(rate.value), page.now()));
  const frame = () => {
    if (page.api.playing() !== 1) return;
    if (page.api.play(2, page.now()) > 0) afterEngine();
    requestAnimationFrame(frame);
  };
  page.playTick = () => { if (page.api.play(2, page.now()) > 0) afterEngine(); };
  // A native button: Space or Enter on it while focused is a click too.
  button.addEventListener("click", () => {
    if (page.api.playing() === 1) {
      page.api.play(1, page.now());
    } else {
      page.api.play(0, page.now());
      requestAnimationFrame(frame);
    }
    afterEngine();
  });
  document.getElementById("today").addEventListener("click", () => {
    page.api.now(Date.now());
    afterEngine();
  });
}

function stopPlaying() {
  if (page.api && page.api.playing() === 1) page.api.play(1, page.now());
}

// Dragging on the chart turns the view: across, the azimuth (the dome follows the
// finger); up and down, the elevation; half a turn per chart width. The bars follow.
function bindChartDrag() {
  const chart = page.chart;
  let drag = null, pending = null;
  chart.addEventListener("pointerdown", (event) => {
    if (drag || page.api.error()) return;
    chart.setPointerCapture(event.pointerId);
    drag = { id: event.pointerId, x: event.clientX, y: event.clientY,
      azimuth: page.api.get(Control.azimuth), elevation: page.api.get(Control.elevation) };
  });
  chart.addEventListener("pointermove", (event) => {
    if (!drag || event.pointerId !== drag.id) return;
    const perPixel = 180 / Math.max(1, chart.clientWidth);
    const azimuth = Math.round(drag.azimuth - (event.clientX - drag.x) * perPixel);
    const elevation = Math.round(drag.elevation - (event.clientY - drag.y) * perPixel);
    const first = pending === null;
    pending = { azimuth: ((azimuth % 360) + 360) % 360, elevation: Math.max(-90, Math.min(90, elevation)) };
    if (first) requestAnimationFrame(() => {
      const { azimuth: a, elevation: e } = pending;
      pending = null;
      if (page.api.get(Control.azimuth) !== a) page.api.set(Control.azimuth, a);
      if (page.api.get(Control.elevation) !== e) page.api.set(Control.elevation, e);
      afterEngine();
    });
  });
  const end = (event) => { if (drag && event.pointerId === drag.id) drag = null; };
  chart.addEventListener("pointerup", end);
  chart.addEventListener("pointercancel", end);
}

// 画像を保存: the chart as on screen, a PNG named after its date and time. 印刷: the chart
// alone in the print palette (domarium.css's print style), the palette put back after.
function bindSaveAndPrint() {
  document.getElementById("save").addEventListener("click", () => {
    const item = (name) => page.items[name][page.api.get(Control[name])].padStart(2, "0");
    const name = `domarium-${item("month")}${item("day")}-${item("hour")}${item("minute")}.png`;
    page.chart.toBlob((blob) => {
      const link = document.createElement("a");
      link.href = URL.createObjectURL(blob);
      link.download = name;
      link.click();
      setTimeout(() => URL.revokeObjectURL(link.href), 1000);
    }, "image/png");
  });
  const palette = document.getElementById("palette");
  palette.addEventListener("change", () => {
    page.api.palette(palette.checked ? 1 : 0);
    afterEngine();
  });
  // 大きな星と文字 writes the compass letters in the label font too: it waits for it.
  const large = document.getElementById("large");
  large.addEventListener("change", () => {
    const on = large.checked ? 1 : 0;
    page.labelFont.then(() => {
      page.api.large(on);
      afterEngine();
    });
  });
  let before = null;
  window.addEventListener("beforeprint", () => {
    page.printing = true;
    before = page.api.palette(-1);
    page.api.palette(1);
    afterEngine();
  });
  window.addEventListener("afterprint", () => {
    page.printing = false;
    if (before !== null) page.api.palette(before);
    before = null;
    afterEngine();
  });
  document.getElementById("print").addEventListener("click", () => window.print());
}

// 全画面表示, as the window's menu item: the page fills the screen, a projector's, and the
// chart grows with its box; pressed again, or Esc, it returns. Hidden where the browser
// cannot do it.
function bindFullScreen() {
  const button = document.getElementById("fullscreen");
  if (!document.fullscreenEnabled) {
    button.hidden = true;
    return;
  }
  button.addEventListener("click", () => {
    if (document.fullscreenElement) document.exitFullscreen();
    else document.documentElement.requestFullscreen().catch(() => {});
  });
  document.addEventListener("fullscreenchange", () => {
    button.setAttribute("aria-pressed", String(document.fullscreenElement !== null));
  });
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

// The compass letters' glyphs come in a file for each draw scale (ChartGlyphs at 1,
// ChartGlyphs-200 at 2, ...); every other label is drawn by the engine in LabelFont,
// which the engine reads beside it at the first label.
const LabelFontFile = "LabelFont";
const DrawScales = [100, 125, 150, 200, 300];

// The draw scale for this screen, in hundredths: the largest of the desktop's scales
// that its density reaches (the chart is drawn at device pixels, its figures and labels
// that much larger).
function drawScale() {
  const ratio = Math.round((window.devicePixelRatio || 1) * 100);
  return DrawScales.filter((s) => s <= ratio).pop() || 100;
}

async function start() {
  bindMessage();
  const about = document.getElementById("about");
  document.getElementById("about-open").addEventListener("click", () => about.showModal());
  // The catalogue, the constellations and star names that sit beside it, and the
  // first chart's glyph file are fetched while the module compiles; the label font
  // too when the address turns overlays or a ground view on, else after the first chart.
  const address = new URLSearchParams(location.search);
  const overlaysFirst = address.has("overlays") || address.has("view");
  const labelFont = overlaysFirst ? fetchGlyphs(LabelFontFile) : null;
  const scale = drawScale();
  const files = Promise.all([fetchFile("StarData"),
    fetchGlyphs(scale === 100 ? "ChartGlyphs" : "ChartGlyphs-" + scale),
    fetchFile("ConstellationData"), fetchFile("StarNames")]);
  page.engine = await DomariumEngine();
  performance.mark("module");
  page.api = bindApi(page.engine);
  // Resolved once the label font is in the engine's file system (or could not be had:
  // the engine then reports the missing file at the first label).
  const writeLabelFont = async (bytes) => {
    const data = await bytes;
    if (data) page.engine.FS.writeFile("/" + LabelFontFile, data);
  };
  if (overlaysFirst) page.labelFont = writeLabelFont(labelFont);
  const [stars, glyphs, lines, names] = await files;
  // StarData goes through the engine's own loader: written into the engine's
  // file system as fetched; when the fetch failed, nothing is written and the
  // loader reports the missing file.
  if (stars) page.engine.FS.writeFile("/StarData", stars);
  // The start-up reads the constellations beside StarData, as the desktop's does.
  if (lines) page.engine.FS.writeFile("/ConstellationData", lines);
  if (names) page.engine.FS.writeFile("/StarNames", names);
  if (glyphs) page.engine.FS.writeFile("/ChartGlyphs", glyphs);
  if (!page.api.start("/StarData", "/ChartGlyphs", fittingSide(), scale)) {
    stopped(page.api.error());
    return;
  }
  performance.mark("started");
  readSettings();
  fillControls();
  for (const name of Object.keys(Control)) page.defaults[name] = page.api.get(Control[name]);
  if (overlaysFirst) await page.labelFont;
  readAddress();
  performance.mark("address");
  bindAnimate();
  bindPlay();
  bindChartDrag();
  bindSaveAndPrint();
  bindFullScreen();
  bindGroundSwitch();
  window.addEventListener("resize", () => { if (page.ready) drawGround(); });
  // The address's settings may have stopped the engine: its message, not a blank chart.
  afterEngine();
  // The Sun's numbers, when the address turns the Sun on, take room beside the chart.
  fitChart();
  // Milliseconds from navigation to the first chart on the canvas.
  page.firstChartMs = performance.now();
  if (!overlaysFirst) page.labelFont = writeLabelFont(fetchGlyphs(LabelFontFile));
  page.ready = true;
  // The observer's first call comes before the first chart is painted, for the side the
  // chart already has: a redraw then would only hold the paint back.
  new ResizeObserver(fitChart).observe(page.box);
  if ("serviceWorker" in navigator) navigator.serviceWorker.register("service-worker.js");
}

start();
