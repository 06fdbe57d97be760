// The page in headless Chromium against the native program:
//   node browser_test.mjs SITE_DIR SHEET_WALK TENVO_TERM OUT_DIR
// SHEET_WALK is the native web_sheet_walk, TENVO_TERM the native terminal
// view; screenshots are kept in OUT_DIR.
import { execFileSync } from "node:child_process";
import { mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { strict as assert } from "node:assert";
import { launch, openPage, serve } from "./cdp.mjs";

const [siteDir, sheetWalk, tenvoTerm, outDir] = process.argv.slice(2);
mkdirSync(outDir, { recursive: true });
const MODES = ["rokuyo", "kyusei", "27", "28", "kanshi", "sekki", "almanac", "choku", "kyureki"];
const RULES = ["terms", "solstice", "published"];

const native = (...args) => execFileSync(sheetWalk, args.map(String), { encoding: "utf8" });

// The cells of the shown month as the page draws them, in date order.
const GRID = `[...document.querySelectorAll("td[data-date]")].map((td) => ({
  date: td.dataset.date,
  item: td.querySelector(".item").textContent,
  holiday: td.classList.contains("holiday"),
  red: td.classList.contains("red"),
  blue: td.classList.contains("blue"),
  label: td.querySelector("button").getAttribute("aria-label"),
}))`;

function checkGrid(cells, year, month, mode, rule, holidays) {
  const what = `${year}-${month} ${MODES[mode]} ${rule} ${holidays}`;
  const expected = native("cells", year, month, mode, rule, holidays).replace(/\n$/, "").split("\n");
  assert.equal(cells.length, expected.length, `${what}: days`);
  expected.forEach((line, i) => {
    const [date, colour, holiday, item] = line.split("\t");
    const cell = cells[i];
    assert.deepEqual([cell.date, cell.item, cell.holiday, cell.red, cell.blue],
      [date, item, holiday === "1", colour === "0", colour === "6"], `${what}: ${date}`);
    const [y, m, d] = date.split("-").map(Number);
    assert.ok(cell.label.startsWith(`${y}年${m}月${d}日`) && cell.label.includes(item),
      `${what}: ${date} labelled with its date and item`);
  });
}

// The title without its era years, "2026年12月".
const PLAIN = `document.getElementById("title").textContent.replace(/（[^）]*）/, "")`;
const SHOWN = `({ title: ${PLAIN}, eraTitle: document.getElementById("title").textContent,
  search: location.search,
  notice: document.getElementById("notice").hidden ? "" : document.getElementById("notice").textContent })`;

async function main() {
  const server = await serve(siteDir, "/calendar/");
  const browser = await launch(["--window-size=900,1000"]);
  const downloads = mkdtempSync(join(tmpdir(), "calendar-downloads-"));
  const problems = [];
  const outside = [];
  try {
    const page = await openPage(browser);
    browser.on("Runtime.exceptionThrown", (p) => problems.push(p.exceptionDetails.text));
    browser.on("Runtime.consoleAPICalled", (p) => {
      if (p.type === "error" || p.type === "warning") problems.push(`console ${p.type}`);
    });
    browser.on("Log.entryAdded", (p) => {
      if (p.entry.level === "error") problems.push(`${p.entry.text} ${p.entry.url || ""}`);
    });
    browser.on("Network.requestWillBeSent", (p) => {
      const url = p.request.url;
      if (!url.startsWith(server.base) && !url.startsWith("data:") && !url.startsWith("blob:")) {
        outside.push(url);
      }
    });
    for (const domain of ["Page", "Runtime", "Log", "Network"]) await page.send(`${domain}.enable`);
    await browser.send("Browser.setDownloadBehavior",
      { behavior: "allow", downloadPath: downloads, eventsEnabled: true });

    // The grid equals the native sheet: a table of months in every mode,
    // each month under a different rule and holiday choice (the published
    // months back to 445), reached through the address as Back and Forward
    // reach it.
    await page.navigate(`${server.base}?year=2026&month=12`);
    const months = [[1870, 2], [1873, 1], [1948, 7], [1984, 12], [2019, 5], [2020, 7],
      [2026, 12], [2033, 11], [2052, 12], [2100, 12], [445, 1], [1331, 10], [1582, 10], [1869, 12]];
    let n = 0;
    for (const [year, month] of months) {
      for (let mode = 0; mode < MODES.length; ++mode, ++n) {
        const rule = year < 1870 ? "published" : RULES[n % 3];
        const holidays = n % 3 ? "law" : "fixed";
        const address = `?year=${year}&month=${month}&mode=${MODES[mode]}&rule=${rule}&holidays=${holidays}`;
        const cells = await page.evaluate(`history.pushState(null, "", "${address}");
          dispatchEvent(new PopStateEvent("popstate")); ${GRID}`);
        checkGrid(cells, year, month, mode, rule, holidays);
      }
    }
    // The 直 steps with the day's branch and stands still on a sectional
    // term's day: 立春 2026-02-04 repeats the 危 of the day before.
    await page.navigate(`${server.base}?year=2026&month=2&mode=choku`);
    const choku = Object.fromEntries((await page.evaluate(GRID)).map((c) => [c.date, c.item]));
    assert.deepEqual([choku["2026-02-02"], choku["2026-02-03"], choku["2026-02-04"],
      choku["2026-02-05"]], ["破", "危", "危", "成"], "the 直 around 立春");

    // Titles carry the era years of the month, both where an era ends in it
    // and, as published from 445, both courts where they differ.
    for (const [year, month, title] of [[2026, 12, "2026年（令和8年）12月"],
      [1989, 1, "1989年（昭和64年・平成元年）1月"], [2019, 5, "2019年（令和元年）5月"],
      [1912, 7, "1912年（明治45年・大正元年）7月"], [1873, 1, "1873年（明治6年）1月"],
      [1582, 7, "1582年（天正10年）7月"], [445, 1, "445年（允恭天皇34年）1月"],
      [1331, 10, "1331年（南朝 元弘元年・北朝 元徳3年）10月"]]) {
      const shown = await page.evaluate(`history.pushState(null, "", "?year=${year}&month=${month}");
        dispatchEvent(new PopStateEvent("popstate")); ${SHOWN}`);
      assert.equal(shown.eraTitle, title);
    }

    // Keys turn the page; Home comes back to this month; Back and Forward
    // retrace the turns.
    await page.navigate(`${server.base}?year=2030&month=6&mode=kanshi&rule=terms&holidays=fixed`);
    // Enter sends its character too, as a keyboard does: a button acts on it.
    const key = async (name, code) => {
      for (const type of ["keyDown", "keyUp"]) {
        const text = name === "Enter" && type === "keyDown" ? { text: "\r" } : {};
        await page.send("Input.dispatchKeyEvent",
          { type, key: name, code: name, windowsVirtualKeyCode: code, ...text });
      }
      return (await page.evaluate(SHOWN)).title;
    };
    assert.equal(await key("ArrowRight", 39), "2030年7月");
    assert.equal(await key("PageDown", 34), "2030年8月");
    assert.equal(await key("ArrowLeft", 37), "2030年7月");
    assert.equal(await key("PageUp", 33), "2030年6月");
    const now = new Date();
    assert.equal(await key("Home", 36), `${now.getFullYear()}年${now.getMonth() + 1}月`);
    await page.evaluate(`history.back()`);
    await page.waitFor(`${PLAIN} === "2030年6月"`, "Back");
    await page.evaluate(`history.forward()`);
    await page.waitFor(`location.search.includes("month=${now.getMonth() + 1}&")`, "Forward");
    assert.equal((await page.evaluate(SHOWN)).search,
      `?year=${now.getFullYear()}&month=${now.getMonth() + 1}&mode=kanshi&rule=terms&holidays=fixed`);
    assert.equal(await page.evaluate(`document.querySelectorAll("td.today").length`), 1,
      "today is marked");

    // The wheel, one notch towards you, and a swipe to the left: the next
    // month each; the page stops at the last month.
    await page.navigate(`${server.base}?year=2100&month=10`);
    const box = await page.evaluate(`(() => { const r = document.getElementById("grid")
      .getBoundingClientRect(); return { x: r.x + r.width / 2, y: r.y + r.height / 2 }; })()`);
    await page.send("Input.dispatchMouseEvent",
      { type: "mouseWheel", x: box.x, y: box.y, deltaX: 0, deltaY: 100 });
    await page.waitFor(`${PLAIN} === "2100年11月"`, "the wheel");
    await page.send("Input.dispatchTouchEvent",
      { type: "touchStart", touchPoints: [{ x: box.x + 80, y: box.y }] });
    await page.send("Input.dispatchTouchEvent",
      { type: "touchMove", touchPoints: [{ x: box.x - 80, y: box.y + 5 }] });
    await page.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
    await page.waitFor(`${PLAIN} === "2100年12月"`, "the swipe");
    assert.equal(await key("ArrowRight", 39), "2100年12月", "no turn past the last month");

    // The address round-trips: choices made with the controls give an
    // address that, loaded afresh, shows the same month and choices.
    await page.navigate(`${server.base}`);
    const search = await page.evaluate(`(() => {
      const set = (id, value) => { const e = document.getElementById(id); e.value = value;
        e.dispatchEvent(new Event("change")); };
      set("year", "1984"); set("month", "11"); set("mode", "27"); set("rule", "solstice");
      set("holidays", "law"); return location.search; })()`);
    assert.equal(search, "?year=1984&month=11&mode=27&rule=solstice&holidays=law");
    const before = await page.evaluate(GRID);
    await page.navigate(`${server.base}${search}`);
    assert.deepEqual(await page.evaluate(GRID), before, "the same grid from the address");
    checkGrid(before, 1984, 11, 2, "solstice", "law");

    // A day's panel: clicked, and chosen by keyboard alone.
    await page.navigate(`${server.base}?year=2026&month=5&holidays=law`);
    const at = await page.evaluate(`(() => { const r = document.querySelector(
      'td[data-date="2026-05-05"]').getBoundingClientRect();
      return { x: r.x + r.width / 2, y: r.y + r.height / 2 }; })()`);
    for (const type of ["mousePressed", "mouseReleased"]) {
      await page.send("Input.dispatchMouseEvent", { type, x: at.x, y: at.y, button: "left", clickCount: 1 });
    }
    const LORE = `[...document.querySelectorAll("#lore-items dt")].map((dt) =>
      dt.textContent + "\\t" + dt.nextElementSibling.textContent)`;
    const dayLines = (date, ...options) => execFileSync(tenvoTerm, ["--day", date, ...options],
      { encoding: "utf8" }).replace(/\n$/, "").split("\n").map((l) => l.replace(/ +/, "\t"));
    assert.ok(!(await page.evaluate(`document.getElementById("lore").hidden`)), "panel shown");
    const panel = await page.evaluate(LORE);
    assert.deepEqual(panel, dayLines("2026-05-05"), "the program's lore");
    assert.ok(panel.some((l) => /^十二直\t.$/.test(l)) && panel.some((l) => l.startsWith("下段\t")),
      "the panel names the 直 and the lower-row items");
    await page.evaluate(`document.querySelector('td[data-date="2026-05-20"] button').focus()`);
    await key("Enter", 13);
    assert.equal(await page.evaluate(`document.getElementById("lore").dataset.date`), "2026-05-20");
    assert.deepEqual(await page.evaluate(LORE), dayLines("2026-05-20"), "the lore by keyboard");
    await key("Escape", 27);
    assert.ok(await page.evaluate(`document.getElementById("lore").hidden &&
      document.activeElement.closest("td").dataset.date === "2026-05-20"`), "Escape closes");

    // The year's file: the same stream as the terminal view's but for the
    // moment of writing, and well formed.
    await page.navigate(`${server.base}?year=2024&month=3&mode=almanac&rule=solstice&holidays=law`);
    const downloaded = new Promise((resolve) => browser.on("Browser.downloadProgress", (p) => {
      if (p.state !== "inProgress") resolve(p.state);
    }));
    await page.evaluate(`document.getElementById("ics").click()`);
    assert.equal(await downloaded, "completed", "the file downloaded");
    const ics = readFileSync(join(downloads, "almanac-2024.ics"), "utf8");
    const expected = execFileSync(tenvoTerm,
      ["--ics", "2024", "--mode", "almanac", "--rule", "solstice", "--holidays", "law"], { encoding: "utf8" });
    const unstamped = (text) => text.replace(/^DTSTAMP:\d{8}T\d{6}Z\r$/gm, "DTSTAMP");
    assert.equal(unstamped(ics), unstamped(expected), "the downloaded file is the program's stream");
    const lines = ics.replace(/\r\n /g, "").split("\r\n");
    assert.equal(lines.pop(), "");
    assert.ok(ics.split("\r\n").every((l) => Buffer.byteLength(l) <= 75), "folded at 75 octets");
    // Components nest properly and every event has its properties.
    const stack = [];
    let events = 0;
    for (const l of lines) {
      assert.match(l, /^[A-Z-]+[;:]/, `a content line: ${l}`);
      const [, verb, component] = /^(BEGIN|END):(.*)$/.exec(l) || [];
      if (verb === "BEGIN") stack.push({ component, properties: new Set() });
      else if (verb === "END") {
        const done = stack.pop();
        assert.equal(done.component, component);
        if (component === "VEVENT") {
          ++events;
          for (const p of ["UID", "DTSTAMP", "DTSTART", "DTEND", "SUMMARY"]) {
            assert.ok(done.properties.has(p), `an event with ${p}`);
          }
        }
      } else stack.at(-1).properties.add(l.split(/[;:]/)[0]);
    }
    assert.equal(stack.length, 0, "every component ended");
    assert.ok(events > 300, "an item on most days, and the holidays");

    // The 直's file is the terminal view's: its stream where the view writes
    // one, and a notice instead of a file where it refuses the mode.
    let chokuFeed = null;
    try {
      chokuFeed = execFileSync(tenvoTerm, ["--ics", "2026", "--mode", "choku"],
        { encoding: "utf8", stdio: ["ignore", "pipe", "ignore"] });
    } catch {
      // The view has no such feed: nor has the page.
    }
    await page.navigate(`${server.base}?year=2026&month=2&mode=choku`);
    const chokuDone = new Promise((resolve) => browser.on("Browser.downloadProgress", (p) => {
      if (p.state !== "inProgress") resolve(p.state);
    }));
    await page.evaluate(`document.getElementById("ics").click()`);
    if (chokuFeed === null) {
      assert.match((await page.evaluate(SHOWN)).notice, /^十二直の iCalendar ファイルはありません/);
    } else {
      assert.equal(await chokuDone, "completed", "the 直's file downloaded");
      assert.equal(unstamped(readFileSync(join(downloads, "choku-2026.ics"), "utf8")),
        unstamped(chokuFeed), "the 直's file is the program's stream");
    }

    // Bad addresses: the nearest valid month, one line saying so, no error.
    const bad = [
      ["?year=1850&month=5&rule=terms", "1870年1月", "1850"],
      ["?year=300&month=5", "445年1月", "300"],
      ["?year=2200&month=5", "2100年12月", "2200"],
      ["?year=2026&month=13", "2026年12月", "13"],
      ["?year=2026&month=0", "2026年1月", "0"],
      ["?year=2026&month=4&mode=moon", "2026年4月", "moon"],
      ["?year=abc&month=4", `${now.getFullYear()}年4月`, "abc"],
      ["?year=2026&month=4&rule=x&holidays=y", "2026年4月", "x"],
      ["?year=2026&month=4.5", "2026年", "4.5"],
      ["?year=%E0%A4%A&month=%%", `${now.getFullYear()}年`, "年"],
      ["?year=99999999999999999999999&month=-1", "2100年12月", "99999999999999999999999年"],
    ];
    for (const [address, title, named] of bad) {
      await page.navigate(`${server.base}${address}`);
      const shown = await page.evaluate(SHOWN);
      assert.ok(shown.title.startsWith(title), `${address}: shows ${shown.title}`);
      assert.ok(shown.notice.includes(named) && !shown.notice.includes("\n"),
        `${address}: one line naming ${named}: ${shown.notice}`);
      assert.equal(await page.evaluate(`document.querySelectorAll("td[data-date]").length >= 28`),
        true, `${address}: a month drawn`);
    }

    // A phone's width: nothing runs off the side; a screenshot of each.
    await page.navigate(`${server.base}?year=2026&month=12&holidays=law`);
    const shot = async (name) => {
      const { data } = await page.send("Page.captureScreenshot", { format: "png" });
      writeFileSync(join(outDir, name), Buffer.from(data, "base64"));
    };
    await shot("page-2026-12.png");
    await page.send("Emulation.setDeviceMetricsOverride",
      { width: 360, height: 740, deviceScaleFactor: 1, mobile: true });
    await page.navigate(`${server.base}?year=2026&month=12&holidays=law`);
    assert.ok(await page.evaluate(`document.documentElement.scrollWidth <= 360`), "fits 360 px");
    await shot("page-2026-12-phone.png");

    assert.deepEqual(problems, [], "no exception or error in the page");
    assert.deepEqual(outside, [], "no request outside the page's folder");
    assert.ok(server.requests.every((p) => p.startsWith("/calendar/")), "served from its folder");
    console.log(`browser test: ${n} month sheets, keys, wheel, swipe, panel, file, ` +
      `${bad.length} bad addresses; screenshots in ${outDir}`);
  } finally {
    await browser.close();
    await server.close();
    rmSync(downloads, { recursive: true, force: true });
  }
}

main().catch((error) => {
  console.error(`browser test: ${error.message}`);
  process.exit(1);
});
