// The README's pictures of the web edition: the page at 1366x768 (a
// Chromebook) and 768x1024 (a tablet upright), in headless Chromium.
//   SITE_URL the served folder; OUT_DIR where the PNGs go (docs/)
"use strict";
const path = require("node:path");
const puppeteer = require("puppeteer-core");

const Shots = [
  { file: "web-1366x768.png", width: 1366, height: 768, query: "?month=2&day=15&hour=20&elevation=-25" },
  { file: "web-1024x768-portrait.png", width: 768, height: 1024, query: "?month=8&day=1&hour=21" },
];

(async () => {
  const browser = await puppeteer.launch({ executablePath: "/usr/bin/chromium", headless: true,
    args: ["--no-sandbox"] });
  for (const shot of Shots) {
    const page = await browser.newPage();
    await page.setViewport({ width: shot.width, height: shot.height, deviceScaleFactor: 1 });
    await page.goto(process.env.SITE_URL + shot.query);
    await page.waitForFunction(() => window.domarium && window.domarium.ready);
    await page.screenshot({ path: path.join(process.env.OUT_DIR, shot.file) });
    await page.close();
  }
  await browser.close();
})();
