// Figures of the web edition in headless Chromium: time from navigation to
// the first chart (best of five fresh loads) and the gzip size of everything
// the folder serves, StarData included. Prints them; fails beyond 300 ms or 500 KB.
//   SITE_URL the served folder; SITE_DIR the same folder on disk
"use strict";
const fs = require("node:fs");
const path = require("node:path");
const zlib = require("node:zlib");
const puppeteer = require("puppeteer-core");

(async () => {
  const dir = process.env.SITE_DIR;
  let gzip = 0;
  for (const name of fs.readdirSync(dir)) {
    gzip += zlib.gzipSync(fs.readFileSync(path.join(dir, name)), { level: 9 }).length;
  }
  const browser = await puppeteer.launch({ executablePath: "/usr/bin/chromium", headless: true,
    args: ["--no-sandbox"] });
  const times = [];
  for (let i = 0; i < 5; ++i) {
    const context = await browser.createBrowserContext();  // No cache, no service worker.
    const page = await context.newPage();
    await page.setViewport({ width: 1366, height: 768 });
    await page.goto(process.env.SITE_URL);
    await page.waitForFunction(() => window.domarium && window.domarium.ready);
    times.push(await page.evaluate(() => window.domarium.firstChartMs));
    await context.close();
  }
  await browser.close();
  const best = Math.min(...times);
  console.log(`first chart: ${best.toFixed(0)} ms (loads: ${times.map((t) => t.toFixed(0)).join(", ")})`);
  console.log(`transfer (gzip): ${(gzip / 1024).toFixed(0)} KB`);
  process.exitCode = best <= 300 && gzip <= 500 * 1024 ? 0 : 1;
})();
