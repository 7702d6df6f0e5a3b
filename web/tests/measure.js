// Figures of the web edition in headless Chromium, each printed beside its target:
//  - the folder's size, uncompressed and with gzip (everything it serves, StarData
//    included): at most 800 KB and 300 KB, the only figures that fail the run, as they
//    do not depend on the machine's load;
//  - time from navigation to the first chart, each load in a new browser (no cache, no
//    service worker), best of five: at full speed (target 300 ms) and with the CPU
//    slowed four times, a school's slow laptop (target 500 ms), with the best load's
//    steps (module compiled, engine started); beside each, its floor: the same page
//    (markup, style sheet, Japanese text) with an empty module for the engine and a black
//    square for the chart, loaded the same way in the same run;
//  - one step of the animate button in the heaviest lesson states at 1280x800 (the
//    dome's overlays, 24-hour trails, limit 7.9; then every overlay, the bodies and the
//    year's too, with the 全天 view beside the dome), at full speed and slowed four times: the
//    median of the move handler's work (engine step, then canvas, lists, read-outs and
//    address), its engine and page shares and the best step, beside one frame at 60 Hz
//    (slowed: 50 ms, 20 steps a second);
//  - a redraw in WebAssembly beside the native engine's (bench/EngineBench.cpp's Redraw
//    cases at side 408, limit 7.9, run now on the same machine; best of five runs each),
//    target twice the native time.
// Times depend on the machine's load: reported, never a failure.
//   SITE_URL the served folder; SITE_DIR the same folder on disk;
//   NATIVE_BENCH domarium_bench of the desktop build (empty: no comparison)
"use strict";
const fs = require("node:fs");
const http = require("node:http");
const os = require("node:os");
const path = require("node:path");
const zlib = require("node:zlib");
const { execFileSync } = require("node:child_process");
const puppeteer = require("puppeteer-core");

const Cases = [{ name: "Redraw", newView: 0 }, { name: "RedrawNewView", newView: 1 }];
const Side = 408, Limit79 = 93;
const Heaviest = "?overlays=sun,seasons,circles,trails,constellations,names&trail-hours=24&limit=7.9";
const HeaviestWithAll = "?overlays=sun,seasons,circles,trails,constellations,names,moon,planets," +
  "space,ecliptic,orbit&trail-hours=24&limit=7.9&view=sky";
const FrameMs = 1000 / 60;

// Both sides as the best of five runs: on a shared machine the other work only ever adds.
const Runs = 5;

function nativeMicroseconds(bench, name) {
  const out = execFileSync(bench, [`--benchmark_filter=^${name}/side:${Side}/limit:${Limit79}$`,
    "--benchmark_format=json", "--benchmark_min_time=0.2", `--benchmark_repetitions=${Runs}`],
  { env: { ...process.env, QT_QPA_PLATFORM: "offscreen" }, stdio: ["ignore", "pipe", "ignore"] });
  const runs = JSON.parse(out).benchmarks.filter((b) => b.run_type === "iteration");
  return Math.min(...runs.map((b) => b.real_time));  // Microseconds: the benchmark's unit.
}

// A new browser for each piece of work: its own empty cache, and no state left from
// earlier pages.
async function withBrowser(work) {
  const browser = await puppeteer.launch({ executablePath: "/usr/bin/chromium", headless: true,
    args: ["--no-sandbox"] });
  try {
    return await work(browser);
  } finally {
    await browser.close();
  }
}

// A page of the edition that has shown its first chart, the CPU slowed by rate from
// before the navigation.
async function openPage(browser, { query = "", width = 1366, height = 768, rate = 1,
  site = process.env.SITE_URL } = {}) {
  const page = await browser.newPage();
  await page.setViewport({ width, height, deviceScaleFactor: 1 });
  if (rate !== 1) {
    const cdp = await page.createCDPSession();
    await cdp.send("Emulation.setCPUThrottlingRate", { rate });
  }
  // A new browser starts pages of its own interface in other processes; on a machine
  // of two cores they would be timed with the edition. A pupil's browser is already
  // running, so the load is timed once they are done.
  await new Promise((settled) => setTimeout(settled, 1000));
  await page.goto(site + query);
  await page.waitForFunction(() => window.domarium && window.domarium.ready, { timeout: 60000 });
  return page;
}

// Five loads of the edition and five of its floor (floorSite), taking turns.
async function coldLoads(rate, floorUrl) {
  const loads = [], floor = [];
  const load = (site) => withBrowser(async (browser) => {
    const page = await openPage(browser, { rate, site });
    return page.evaluate(() => ({
      ms: window.domarium.firstChartMs,
      module: performance.getEntriesByName("module")[0].startTime,
      started: performance.getEntriesByName("started")[0]?.startTime ?? NaN,
    }));
  });
  for (let i = 0; i < 5; ++i) {
    loads.push(await load(process.env.SITE_URL));
    floor.push(await load(floorUrl));
  }
  return { loads, floor };
}

// The floor of the first chart: the edition's page with what it loads for the chart taken
// away. Its markup without the engine's script and the prefetched files, its style sheet
// and icon; a module with one function; a script that instantiates it and puts a black
// square of the chart's side on the canvas. Served from a folder of its own by a server
// of Node's, the edition's server left alone. Resolves to its address and a closer.
async function floorSite(dir) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), "domarium-floor-"));
  const markup = fs.readFileSync(path.join(dir, "index.html"), "utf8")
    .replace(/<link rel="preload"[^>]*>\n?/g, "")
    .replace(/<script src="domarium-engine\.js"><\/script>\n?/, "");
  fs.writeFileSync(path.join(folder, "index.html"), markup);
  for (const name of ["domarium.css", "icon.svg", "manifest.webmanifest"])
    fs.copyFileSync(path.join(dir, name), path.join(folder, name));
  // (module (func (export "f") (result i32) i32.const 42))
  fs.writeFileSync(path.join(folder, "empty.wasm"), Buffer.from([0, 0x61, 0x73, 0x6d, 1, 0, 0,
    0, 1, 5, 1, 0x60, 0, 1, 0x7f, 3, 2, 1, 0, 7, 5, 1, 1, 0x66, 0, 0, 0x0a, 6, 1, 4, 0, 0x41,
    0x2a, 0x0b]));
  fs.writeFileSync(path.join(folder, "domarium.js"), `(async () => {
  const module = await WebAssembly.instantiateStreaming(fetch("empty.wasm"));
  performance.mark("module");
  const canvas = document.getElementById("chart");
  const box = canvas.parentElement;
  const side = Math.max(1, Math.floor(Math.min(box.clientWidth, box.clientHeight)));
  canvas.width = canvas.height = side;
  const pixels = new Uint8ClampedArray(side * side * 4);
  for (let i = 3; i < pixels.length; i += 4) pixels[i] = 255;
  canvas.getContext("2d").putImageData(new ImageData(pixels, side, side), 0, 0);
  window.domarium = { firstChartMs: performance.now(), ready: module.instance.exports.f() === 42 };
})();\n`);
  const types = { ".html": "text/html; charset=utf-8", ".css": "text/css", ".js": "text/javascript",
    ".wasm": "application/wasm", ".svg": "image/svg+xml", ".webmanifest": "application/manifest+json" };
  const server = http.createServer((request, response) => {
    const name = path.basename(new URL(request.url, "http://x").pathname) || "index.html";
    const file = path.join(folder, name);
    if (!fs.existsSync(file)) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { "Content-Type": types[path.extname(name)] || "application/octet-stream" });
    response.end(fs.readFileSync(file));
  });
  await new Promise((listening) => server.listen(0, "127.0.0.1", listening));
  return {
    url: `http://127.0.0.1:${server.address().port}/`,
    close: () => {
      server.close();
      fs.rmSync(folder, { recursive: true, force: true });
    },
  };
}

function printLoads(title, loads, target, floor) {
  const best = (list) => list.reduce((a, b) => (b.ms < a.ms ? b : a));
  const top = best(loads);
  console.log(`${title}: ${top.ms.toFixed(0)} ms, target ${target} ms, floor ` +
    `${best(floor).ms.toFixed(0)} ms (loads: ${loads.map((l) => l.ms.toFixed(0)).join(", ")}; ` +
    `best: module ${top.module.toFixed(0)} ms, engine started ${top.started.toFixed(0)} ms; ` +
    `floor's loads: ${floor.map((l) => l.ms.toFixed(0)).join(", ")})`);
}

// The animate button held in the page, each move in a frame of its own as the pointer's
// moves come: the work of the move handler, split at the engine's return.
async function heaviestSteps(rate, query = Heaviest) {
  return withBrowser(async (browser) => {
    const page = await openPage(browser, { query, width: 1280, height: 800, rate });
    return page.evaluate(async () => {
      const d = window.domarium, LeftButton = 1;
      const frame = () => new Promise((next) => requestAnimationFrame(next));
      const engine = [], total = [];
      d.api.button(0, LeftButton);
      for (let i = 0; i < 45; ++i) {
        await frame();
        const t0 = performance.now();
        d.api.button(1, LeftButton);
        const t1 = performance.now();
        afterEngine();  // The page's own: what the pointermove handler calls.
        const t2 = performance.now();
        if (i >= 5) { engine.push(t1 - t0); total.push(t2 - t0); }
      }
      d.api.button(2, LeftButton);
      afterEngine();
      const median = (list) => [...list].sort((a, b) => a - b)[list.length >> 1];
      return { side: d.api.side(), total: median(total), engine: median(engine),
        page: median(total.map((t, i) => t - engine[i])), best: Math.min(...total),
        error: d.api.error() };
    });
  });
}

function printSteps(title, steps, target, meaning) {
  if (steps.error) throw new Error(steps.error);
  console.log(`${title} (chart ${steps.side} px): median ${steps.total.toFixed(1)} ms ` +
    `(engine ${steps.engine.toFixed(1)}, page ${steps.page.toFixed(1)}), best ` +
    `${steps.best.toFixed(1)} ms; target ${target.toFixed(1)} ms (${meaning})`);
}

(async () => {
  const dir = process.env.SITE_DIR;
  let bytes = 0, gzip = 0;
  for (const name of fs.readdirSync(dir)) {
    const data = fs.readFileSync(path.join(dir, name));
    bytes += data.length;
    gzip += zlib.gzipSync(data, { level: 9 }).length;
  }
  const sizeOk = bytes <= 800 * 1024 && gzip <= 300 * 1024;
  console.log(`folder: ${(bytes / 1024).toFixed(0)} KB, limit 800 KB; ` +
    `with gzip ${(gzip / 1024).toFixed(0)} KB, limit 300 KB`);

  const floor = await floorSite(dir);
  try {
    for (const [title, rate, target] of [["first chart", 1, 300],
      ["first chart, CPU slowed 4x", 4, 500]]) {
      const { loads, floor: floorLoads } = await coldLoads(rate, floor.url);
      printLoads(title, loads, target, floorLoads);
    }
  } finally {
    floor.close();
  }
  printSteps("step, heaviest lesson state, 1280x800", await heaviestSteps(1), FrameMs,
    "a frame at 60 Hz");
  printSteps("step, heaviest lesson state, 1280x800, CPU slowed 4x", await heaviestSteps(4), 50,
    "20 steps a second");
  printSteps("step, every overlay and 全天 beside, 1280x800", await heaviestSteps(1, HeaviestWithAll),
    FrameMs, "a frame at 60 Hz");
  printSteps("step, every overlay and 全天 beside, 1280x800, CPU slowed 4x",
    await heaviestSteps(4, HeaviestWithAll), 50, "20 steps a second");

  const wasm = await withBrowser(async (browser) => {
    const page = await openPage(browser);
    return page.evaluate((cases, side, limit, runs) => cases.map((c) => {
      window.domarium.api.benchRedraw(side, limit, c.newView, 20);  // Warm-up.
      let best = Infinity;
      for (let r = 0; r < runs; ++r) {
        best = Math.min(best, window.domarium.api.benchRedraw(side, limit, c.newView, 200));
      }
      return best;
    }), Cases, Side, Limit79, Runs);
  });
  Cases.forEach((c, i) => {
    let line = `${c.name} side ${Side} limit 7.9: WebAssembly ${wasm[i].toFixed(0)} µs`;
    if (process.env.NATIVE_BENCH) {
      const native = nativeMicroseconds(process.env.NATIVE_BENCH, c.name);
      const ratio = wasm[i] / native;
      line += `, native ${native.toFixed(0)} µs, ratio ${ratio.toFixed(2)} (target 2)`;
    }
    console.log(line);
  });
  process.exitCode = sizeOk ? 0 : 1;
})();
