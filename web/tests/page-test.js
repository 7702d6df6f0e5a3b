// The web edition in Debian's headless Chromium: the chart against
// domarium-snapshot's picture for the same settings, the animate button held
// with pointer moves, settings from the address, a bad value's message and
// the page's requests. Run by tools/test-web.sh with the built folder served.
//   SITE_URL     the served folder, ending in "/"
//   SNAPSHOT     path of domarium-snapshot; SOURCE_DIR the folder holding StarData
"use strict";
const { test, before, after } = require("node:test");
const assert = require("node:assert");
const { execFileSync } = require("node:child_process");
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const puppeteer = require("puppeteer-core");

const site = process.env.SITE_URL;
const snapshot = process.env.SNAPSHOT;
const sourceDir = process.env.SOURCE_DIR;
let browser;

// A browser of its own: one drops its connection after some dozens of new tabs.
async function freshBrowser() {
  if (browser) await browser.close();
  browser = await puppeteer.launch({ executablePath: "/usr/bin/chromium", headless: true,
    args: ["--no-sandbox", "--font-render-hinting=none"] });
}
before(freshBrowser);
after(async () => { if (browser) await browser.close(); });

// A page at the given viewport that has shown its first chart (or its message). With
// holdLabelFont, the label font is answered only when release() is called; the page
// then opens in a context of its own, where no service worker answers first.
async function openPage(query = "", viewport = { width: 1366, height: 768 }, holdLabelFont = false) {
  const page = await (holdLabelFont ? await browser.createBrowserContext() : browser).newPage();
  await page.setViewport({ deviceScaleFactor: 1, ...viewport });
  const requests = [];
  page.on("request", (request) => requests.push(request.url()));
  let held = null;
  if (holdLabelFont) {
    await page.setRequestInterception(true);
    page.on("request", (request) => {
      if (request.url().endsWith("/LabelFont")) held = request;
      else request.continue();
    });
  }
  const release = async () => {
    for (let waited = 0; !held && waited < 5000; waited += 20) {
      await new Promise((later) => setTimeout(later, 20));
    }
    if (held) await held.continue();
    return held !== null;
  };
  await page.goto(site + query);
  await page.waitForFunction(() => window.domarium &&
    (window.domarium.ready || !document.getElementById("message").hidden));
  return { page, requests, release };
}

// The canvas and the snapshot's PNG, compared in the page: the browser decodes
// the PNG. Returns the count of differing pixels and the first one's place. On a
// screen of density 2, the snapshot of half the side at --scale 2.
async function compareWithSnapshot(page, options, canvas = "chart") {
  const side = await page.evaluate((id) => document.getElementById(id).width, canvas);
  const png = path.join(os.tmpdir(), `domarium-web-${process.pid}-${side}.png`);
  const dense = await page.evaluate(() => window.devicePixelRatio) === 2;
  const args = ["-o", png, "--size", String(dense ? side / 2 : side)];
  if (dense) args.push("--scale", "2");
  for (const [name, value] of Object.entries(options)) {
    args.push("--" + name);
    if (value !== true) args.push(String(value));  // A flag has no value.
  }
  execFileSync(snapshot, args, { cwd: sourceDir });
  const data = "data:image/png;base64," + fs.readFileSync(png).toString("base64");
  fs.unlinkSync(png);
  return page.evaluate(async (url, id) => {
    const image = new Image();
    image.src = url;
    await image.decode();
    const chart = document.getElementById(id);
    const work = document.createElement("canvas");
    work.width = image.width; work.height = image.height;
    const context = work.getContext("2d");
    context.drawImage(image, 0, 0);
    const want = context.getImageData(0, 0, work.width, work.height).data;
    const got = chart.getContext("2d").getImageData(0, 0, chart.width, chart.height).data;
    if (want.length !== got.length) return { differing: -1, size: [chart.width, image.width] };
    let differing = 0, first = -1;
    for (let i = 0; i < got.length; i += 4) {
      if (got[i] !== want[i] || got[i + 1] !== want[i + 1] || got[i + 2] !== want[i + 2]) {
        if (first < 0) first = i / 4;
        ++differing;
      }
    }
    return { differing, first, side: chart.width };
  }, data, canvas);
}

// Rows: the address's settings, given to the snapshot tool as the same options.
const States = [
  {},
  { month: 2, day: 15, hour: 20, limit: 5, elevation: -25 },
  { month: 8, day: 1, hour: 21, minute: 30, latitude: -35, longitude: 150 },
  { azimuth: 180, elevation: 30, limit: 7.9 },
  { month: 12, day: 31, hour: 23, minute: 59, azimuth: 360, latitude: 90 },
  { month: 6, day: 21, hour: 4, latitude: -90, elevation: 90, limit: -1.4, longitude: 120 },
  { azimuth: 45, elevation: -90, latitude: 0, limit: 0.5 },
  // The lesson overlays: the ConstellationData and StarNames that the page fetches
  // must reach the engine beside StarData for the lines and names to match.
  { month: 2, day: 15, hour: 20, elevation: -25, overlays: "circles,constellations,names" },
  { month: 6, day: 21, hour: 10, latitude: -35, overlays: "seasons,trails", "trail-hours": 6 },
  { azimuth: 180, elevation: 30, latitude: 90, overlays: "trails,names", "trail-hours": 24 },
  // The Sun's transit altitude takes any value: written piece by piece on both editions.
  { month: 6, day: 21, hour: 9, elevation: -25, azimuth: 160, overlays: "sun" },
  { month: 12, day: 22, hour: 13, latitude: -35, overlays: "sun,seasons,circles" },
  // The print palette, plain and with the seasons' paths and their 南中高度.
  { palette: "print" },
  { month: 6, day: 21, hour: 9, elevation: -25, azimuth: 160, overlays: "sun,seasons", palette: "print" },
  // The year's overlays: the ecliptic's months and zodiac, the Sun's constellation, the
  // orbit inset beside the space inset.
  { month: 12, day: 5, hour: 10, elevation: -25, overlays: "ecliptic,orbit,space" },
  { month: 3, day: 1, hour: 20, year: 2024, overlays: "ecliptic,orbit", palette: "print" },
];

test("the chart equals the snapshot for each state", async () => {
  for (const [i, state] of States.entries()) {
    if (i > 0 && i % 4 === 0) await freshBrowser();
    const query = "?" + new URLSearchParams(Object.entries(state).map(([k, v]) => [k, String(v)]));
    for (const viewport of [{ width: 1366, height: 768 }, { width: 768, height: 1024 }]) {
      const { page } = await openPage(query, viewport);
      const result = await compareWithSnapshot(page, state);
      assert.strictEqual(result.differing, 0, `${query} at ${viewport.width}x${viewport.height}: ${JSON.stringify(result)}`);
      await page.close();
    }
  }
  // The comparison itself finds a chart that differs: another hour's.
  const { page } = await openPage();
  const other = await compareWithSnapshot(page, { hour: 12 });
  assert.ok(other.differing > 0, JSON.stringify(other));
  await page.close();
});

// A tablet of density 2: figures and labels drawn twice as large, as the snapshot's
// --scale 2 draws them.
test("at density 2 the chart equals the snapshot at scale 2, and so does 大きな星と文字", async () => {
  await freshBrowser();
  for (const state of [States[0], States[7], States[11], States[14]]) {
    const query = "?" + new URLSearchParams(Object.entries(state).map(([k, v]) => [k, String(v)]));
    const { page } = await openPage(query, { width: 820, height: 1180, deviceScaleFactor: 2 });
    const result = await compareWithSnapshot(page, state);
    assert.strictEqual(result.differing, 0, `${query} at density 2: ${JSON.stringify(result)}`);
    await page.close();
  }
  // 大きな星と文字, at density 1 and 2: the snapshot's --large, compass letters and all.
  const state = States[7];
  const query = "?" + new URLSearchParams(Object.entries(state).map(([k, v]) => [k, String(v)]));
  for (const deviceScaleFactor of [1, 2]) {
    const { page } = await openPage(query, { width: 1366, height: 768, deviceScaleFactor });
    await page.click("#large");
    await page.waitForFunction(() => window.domarium.api.large(-1) === 1);
    const result = await compareWithSnapshot(page, { ...state, large: true });
    assert.strictEqual(result.differing, 0, `大きな星と文字 at density ${deviceScaleFactor}: ${JSON.stringify(result)}`);
    await page.close();
  }
});

// The sky from the ground (view=): on a wide screen beside the dome, on a narrow one behind
// the switch; either way the snapshot tool's --view picture, and the dome stays its own.
test("the ground views equal the snapshot's beside the dome and behind the switch", async () => {
  const rows = [
    { view: "sky", month: 8, day: 1, hour: 20, azimuth: 180, overlays: "constellations,names" },
    { view: "horizon", month: 3, day: 21, hour: 9, azimuth: 180, overlays: "sun,seasons,daylight" },
  ];
  for (const state of rows) {
    const query = "?" + new URLSearchParams(Object.entries(state).map(([k, v]) => [k, String(v)]));
    const { view, ...dome } = state;
    const wide = (await openPage(query, { width: 1366, height: 768 })).page;
    await wide.waitForFunction(() => !document.getElementById("ground").hidden);
    const beside = await compareWithSnapshot(wide, state, "ground");
    assert.strictEqual(beside.differing, 0, `${query} beside: ${JSON.stringify(beside)}`);
    const still = await compareWithSnapshot(wide, dome);
    assert.strictEqual(still.differing, 0, `${query} dome beside: ${JSON.stringify(still)}`);
    assert.ok(wide.url().includes("view=" + view), wide.url());
    await wide.close();
    const narrow = (await openPage(query, { width: 768, height: 1024 })).page;
    assert.strictEqual(await narrow.evaluate(() => document.getElementById("ground").hidden), true);
    await narrow.click("#show-ground");
    assert.strictEqual(await narrow.evaluate(() => document.getElementById("chart").hidden), true);
    const switched = await compareWithSnapshot(narrow, state, "ground");
    assert.strictEqual(switched.differing, 0, `${query} switched: ${JSON.stringify(switched)}`);
    await narrow.close();
  }
});

// The 表示 group clicked as a pupil does, at once after the first chart, before the
// label font has come (the first chart's glyph file holds only the compass letters):
// the overlays wait for them, the address follows in the snapshot tool's words, and
// the chart is the snapshot's with the same overlays.
test("the 表示 checkboxes switch the overlays and the address follows", async () => {
  const { page, release } = await openPage("", undefined, true);
  await page.click("#circles");
  await page.click("#trails");
  await page.select("#trail-hours", "3");  // Item 3: 6 hours.
  assert.strictEqual(await page.evaluate(() => document.getElementById("message").hidden), true);
  assert.ok(await release(), "the label font is fetched after the first chart");
  await page.waitForFunction(() => location.search === "?overlays=circles,trails&trail-hours=6");
  await page.evaluate(() => window.domarium.labelFont);
  const on = await compareWithSnapshot(page, { overlays: "circles,trails", "trail-hours": 6 });
  assert.strictEqual(on.differing, 0, JSON.stringify(on));
  await page.click("#circles");
  await page.click("#trails");
  await page.waitForFunction(() => location.search === "?trail-hours=6");
  const off = await compareWithSnapshot(page, {});
  assert.strictEqual(off.differing, 0, JSON.stringify(off));
  await page.browserContext().close();
});

// A hold of the animate button with ten moves, by mouse and by touch: the
// clock advances a step per move (5 minutes at start-up) and the lists follow.
test("a hold with ten moves advances the lists to 00:50", async () => {
  for (const pointer of ["mouse", "touch"]) {
    const { page } = await openPage();
    const box = await (await page.$("#animate")).boundingBox();
    const x = box.x + box.width / 2, y = box.y + box.height / 2;
    if (pointer === "mouse") {
      await page.mouse.move(x, y);
      await page.mouse.down();
      for (let i = 1; i <= 10; ++i) await page.mouse.move(x + (i % 2 ? 3 : -3), y + i);
      await page.mouse.up();
    } else {
      const touch = await page.touchscreen.touchStart(x, y);
      for (let i = 1; i <= 10; ++i) await touch.move(x + (i % 2 ? 3 : -3), y + i);
      await touch.end();
    }
    const shown = await page.evaluate(() => [
      document.getElementById("hour").selectedOptions[0].text,
      document.getElementById("minute").selectedOptions[0].text,
      location.search]);
    assert.deepStrictEqual(shown.slice(0, 2), ["0", "50"], pointer);
    assert.match(shown[2], /minute=50/, pointer);
    await page.close();
  }
});

// 進め方 1日: a hold's move keeps the time and moves the date; the address keeps the choice.
test("a hold by 1日 advances the date at the same time", async () => {
  const { page } = await openPage();
  await page.select("#advance", "1");
  await page.waitForFunction(() => location.search === "?advance=day");
  const box = await (await page.$("#animate")).boundingBox();
  await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
  await page.mouse.down();
  await page.mouse.move(box.x + box.width / 2 + 3, box.y + box.height / 2 + 1);
  await page.mouse.up();
  const shown = await page.evaluate(() => ["day", "hour", "minute"].map(
    (id) => document.getElementById(id).selectedOptions[0].text).concat(location.search));
  assert.deepStrictEqual(shown, ["2", "0", "0", "?day=2&advance=day"]);
  await page.close();
});

// 再生 on the page's fake clock: N ticks one period apart step N times; Space on the
// focused button starts and stops it. 今日 leaves the default date.
test("the play button steps once per period and Space toggles it; 今日; 全画面表示", async () => {
  const { page } = await openPage();
  await page.evaluate(() => { window.fake = 0; window.domarium.now = () => window.fake; });
  await page.focus("#play");
  await page.keyboard.press("Space");
  assert.strictEqual(await page.$eval("#play", (b) => b.getAttribute("aria-pressed")), "true");
  const minute = await page.evaluate(() => {
    const period = 1000 / 5;  // The rate at start-up: 5 steps a second.
    for (let k = 1; k <= 7; ++k) { window.fake = k * period; window.domarium.playTick(); }
    return document.getElementById("minute").selectedOptions[0].text;
  });
  await page.keyboard.press("Space");
  assert.strictEqual(await page.$eval("#play", (b) => b.getAttribute("aria-pressed")), "false");
  assert.strictEqual(minute, "35");
  await page.click("#today");
  assert.notStrictEqual(await page.evaluate(() => location.search), "?minute=35");
  // 全画面表示 and back, the button showing which.
  const fullScreen = () => page.evaluate(() => [document.fullscreenElement !== null,
    document.getElementById("fullscreen").getAttribute("aria-pressed")].join());
  await page.click("#fullscreen");
  await page.waitForSelector("#fullscreen[aria-pressed=true]");
  assert.strictEqual(await fullScreen(), "true,true");
  await page.click("#fullscreen");
  await page.waitForSelector("#fullscreen[aria-pressed=false]");
  assert.strictEqual(await fullScreen(), "false,false");
  await page.close();
});

// Dragging across the chart turns the azimuth and up and down the elevation, and the
// bars follow; a message lies over the page, leaves the chart its size and closes.
test("dragging the chart turns the view; a message closes and keeps the chart's size", async () => {
  const { page } = await openPage();
  const side = await page.$eval("#chart", (c) => c.width);
  const box = await (await page.$("#chart")).boundingBox();
  const x = box.x + box.width / 2, y = box.y + box.height / 2;
  const touch = await page.touchscreen.touchStart(x, y);
  await touch.move(x - box.width / 4, y + box.width / 9);
  await touch.end();
  await page.waitForFunction(() => location.search.includes("azimuth"));
  const view = await page.evaluate(() => [document.getElementById("azimuth").value,
    document.getElementById("elevation").value].map(Number));
  assert.ok(Math.abs(view[0] - 45) <= 1 && Math.abs(view[1] + 30) <= 1, String(view));
  await page.close();
  const bad = await openPage("?latitude=91");
  assert.strictEqual(await bad.page.$eval("#chart", (c) => c.width), side);
  await bad.page.click("#message-close");
  assert.strictEqual(await bad.page.$eval("#message", (m) => m.hidden), true);
  await bad.page.close();
});

test("the address sets the state, and a bad value shows a message and keeps the default", async () => {
  const { page } = await openPage("?month=2&day=15&hour=20&elevation=-25&latitude=91&overlays=sun,comet");
  const state = await page.evaluate(() => ({
    month: document.getElementById("month").selectedOptions[0].text,
    day: document.getElementById("day").selectedOptions[0].text,
    hour: document.getElementById("hour").selectedOptions[0].text,
    elevation: document.getElementById("elevation").value,
    latitude: document.getElementById("latitude").value,
    message: document.getElementById("message").hidden ? "" : document.getElementById("message").textContent,
  }));
  assert.deepStrictEqual([state.month, state.day, state.hour, state.elevation],
    ["2", "15", "20", "-25"]);
  assert.strictEqual(state.latitude, "35");
  assert.match(state.message, /緯度/);
  assert.match(state.message, /comet/);
  assert.strictEqual(await page.evaluate(() => document.getElementById("sun").checked), false);
  await page.close();
});

// The Moon, the planets and the top views of another year, from the address: the chart is
// the snapshot's; a year that is not a number is refused with the tool's message.
test("the bodies and the year from the address draw the snapshot's chart", async () => {
  const query = { month: 8, day: 15, hour: 19, overlays: "moon,planets,space", year: 2030 };
  const { page } = await openPage("?" + new URLSearchParams(query).toString());
  const same = await compareWithSnapshot(page, query);
  assert.strictEqual(same.differing, 0, JSON.stringify(same));
  await page.close();
  const bad = await openPage("?year=abc");
  const message = await bad.page.evaluate(() => document.getElementById("message").textContent);
  assert.match(message, /年/);
  await bad.page.close();
});

test("the page asks for nothing outside its own folder", async () => {
  const { page, requests } = await openPage("?month=3");
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.reload();
  await page.waitForFunction(() => window.domarium && window.domarium.ready);
  for (const url of requests) {
    if (url.startsWith("data:")) continue;
    assert.ok(url.startsWith(site), url);
  }
  await page.close();
});
