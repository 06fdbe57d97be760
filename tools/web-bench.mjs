// Size and speed of the web page, for the README (not a test):
//   node tools/web-bench.mjs [SITE_DIR]      (default build-web/site)
// Gzipped sizes of the page's files; in headless Chromium with the cache
// and the service worker bypassed, the first render (from navigation start
// to the month drawn), a page turn (from the key to the next month laid
// out) and the year view (from the button to the twelve months laid out,
// and a turn of the year), median of 10.
import { readFileSync } from "node:fs";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";
import { gzipSync } from "node:zlib";
import { launch, openPage, serve } from "../tests/web/cdp.mjs";

const root = join(dirname(fileURLToPath(import.meta.url)), "..");
const site = process.argv[2] || join(root, "build-web", "site");
const RUNS = 10;
const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  return (sorted[(RUNS - 1) >> 1] + sorted[RUNS >> 1]) / 2;
};

let total = 0;
console.log("| file | bytes | gzipped |\n|---|---|---|");
const files = ["index.html", "calendar.css", "calendar.js", "vorane2.wasm", "sw.js",
  "manifest.webmanifest", "icon.svg"];
for (const file of files) {
  const bytes = readFileSync(join(site, file));
  const gz = gzipSync(bytes, { level: 9 }).length;
  total += gz;
  console.log(`| ${file} | ${bytes.length} | ${gz} |`);
}
console.log(`| all ${files.length} | | ${total} |`);

const server = await serve(site, "/");
const browser = await launch(["--window-size=900,1000"]);
try {
  const page = await openPage(browser);
  await page.send("Network.enable");
  await page.send("Network.setCacheDisabled", { cacheDisabled: true });
  // A first visit: the worker, once installed, would answer from its cache.
  await page.send("Network.setBypassServiceWorker", { bypass: true });
  const firstRender = [];
  for (let i = 0; i < RUNS; ++i) {
    await page.navigate(`${server.base}?year=2026&month=${1 + i}&holidays=law`);
    firstRender.push(await page.evaluate(
      `performance.getEntriesByName("calendar-first-render")[0].startTime`));
  }
  await page.navigate(`${server.base}?year=2026&month=12&mode=28&holidays=law`);
  const turns = [];
  for (let i = 0; i < RUNS; ++i) {
    turns.push(await page.evaluate(`(() => {
      const t0 = performance.now();
      document.dispatchEvent(new KeyboardEvent("keydown", { key: "ArrowRight", bubbles: true }));
      void document.getElementById("grid").offsetHeight;
      return performance.now() - t0; })()`));
  }
  // The year view: shown from the month by its button (the month shown
  // again between runs, untimed), then turned year by year.
  const timed = (action) => page.evaluate(`(() => {
    const t0 = performance.now();
    ${action};
    void document.getElementById("year-view").offsetHeight;
    return performance.now() - t0; })()`);
  const yearView = [];
  for (let i = 0; i < RUNS; ++i) {
    yearView.push(await timed(`document.getElementById("view").click()`));
    await page.evaluate(`document.getElementById("view").click()`);
  }
  await page.evaluate(`document.getElementById("view").click()`);
  const yearTurns = [];
  for (let i = 0; i < RUNS; ++i) {
    yearTurns.push(await timed(
      `document.dispatchEvent(new KeyboardEvent("keydown", { key: "ArrowLeft", bubbles: true }))`));
  }
  const list = (values, digits) => values.map((t) => t.toFixed(digits)).join(" ");
  console.log(`\nfirst render: median ${median(firstRender).toFixed(1)} ms ` +
    `(${firstRender.map((t) => t.toFixed(0)).join(" ")})`);
  console.log(`page turn: median ${median(turns).toFixed(2)} ms ` +
    `(${turns.map((t) => t.toFixed(1)).join(" ")})`);
  console.log(`year view: median ${median(yearView).toFixed(1)} ms (${list(yearView, 1)})`);
  console.log(`year turn: median ${median(yearTurns).toFixed(1)} ms (${list(yearTurns, 1)})`);
} finally {
  await browser.close();
  await server.close();
}
