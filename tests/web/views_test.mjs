// The page's day cells, year view, 和暦 box, printed pages, offline start and
// phone layout in headless Chromium, against the native lore and sheets:
//   node views_test.mjs SITE_DIR SHEET_WALK TENVO_TERM OUT_DIR
// SHEET_WALK is the native web_sheet_walk, TENVO_TERM the native terminal
// view; the printed pages (PDF and their pdftoppm pictures) and screenshots
// are kept in OUT_DIR.
import { execFileSync } from "node:child_process";
import { mkdirSync, writeFileSync } from "node:fs";
import { join } from "node:path";
import { strict as assert } from "node:assert";
import { launch, openPage, serve } from "./cdp.mjs";
import { expectedCell, loreRecord } from "./lore_cells.mjs";

const [siteDir, sheetWalk, tenvoTerm, outDir] = process.argv.slice(2);
mkdirSync(outDir, { recursive: true });
const native = (...args) => execFileSync(sheetWalk, args.map(String), { encoding: "utf8" });
const KINDS = ["holiday-name", "term", "seasonal", "almanac"];
const MODES = ["rokuyo", "kyusei", "27", "28", "kanshi", "sekki", "almanac", "choku", "kyureki"];

// A month's lore by date: { "YYYY-MM-DD": { label: [values] } }.
function loreOf(year, month, rule) {
  const lines = {};
  for (const line of native("lore", year, month, rule).trim().split("\n")) {
    const tab = line.indexOf("\t");
    (lines[line.slice(0, tab)] ??= []).push(line.slice(tab + 1));
  }
  return Object.fromEntries(Object.entries(lines).map(([date, l]) => [date, loreRecord(l)]));
}

// The native sheet's cells by date: { date: { colour, holiday, item } }.
function sheetOf(year, month, mode, rule, holidays) {
  const days = {};
  for (const line of native("cells", year, month, mode, rule, holidays).replace(/\n$/, "").split("\n")) {
    const [date, colour, holiday, item] = line.split("\t");
    days[date] = { colour, holiday: holiday === "1", item };
  }
  return days;
}

// The month's day cells as drawn: every name with its kind, and how many
// of them the cell shows.
const CELLS = `[...document.querySelectorAll("#weeks td[data-date]")].map((td) => {
  const names = [...td.querySelectorAll(".name")];
  const moon = td.querySelector(".moon").getAttribute("class");
  return { date: td.dataset.date, lunar: td.querySelector(".lunar").textContent,
    item: td.querySelector(".item").textContent,
    phase: moon.includes("none") ? -1 : Number(/phase-(\\d)/.exec(moon)[1]),
    names: names.map((n) => n.className.split(" ")[1] + ":" + (n.querySelector(".long") || n).textContent),
    shown: names.filter((n) => n.getClientRects().length > 0).length,
    more: Number((td.querySelector(".more")?.textContent || "0").replace("＋", "")),
    label: td.querySelector("button").getAttribute("aria-label") };
})`;

function checkCells(cells, year, month, mode, rule, holidays, nameLines) {
  const what = `${year}-${month} ${rule} ${holidays}`;
  const lore = loreOf(year, month, rule);
  const sheet = sheetOf(year, month, MODES.indexOf(mode), rule, holidays);
  assert.equal(cells.length, Object.keys(sheet).length, `${what}: every day`);
  for (const cell of cells) {
    // Before the calendar's first day a day has no lore, and its cell nothing.
    const day = lore[cell.date] || {};
    const want = expectedCell(day, holidays, sheet[cell.date].holiday);
    const lunar = !want.lunarDay ? "" : want.lunarDay !== 1 ? String(want.lunarDay)
      : want.leap ? `閏${want.lunarMonth}` : `${want.lunarMonth}月`;
    const at = `${what}: ${cell.date}`;
    assert.equal(cell.lunar, lunar, `${at}: lunisolar date`);
    assert.equal(cell.phase, want.phase, `${at}: the Moon`);
    assert.equal(cell.item, sheet[cell.date].item, `${at}: the mode's item`);
    if (mode === "rokuyo") assert.equal(cell.item, day["六曜"]?.[0] || "", `${at}: 六曜`);
    // The names in the order holiday, term, seasonal days, selected day;
    // the selected day shown is one of the day's.
    const kinds = cell.names.map((n) => n.split(":")[0]);
    assert.deepEqual(kinds, [...kinds].sort((a, b) => KINDS.indexOf(a) - KINDS.indexOf(b)),
      `${at}: names in order`);
    assert.deepEqual(cell.names.filter((n) => !n.startsWith("almanac:")).sort(),
      [...want.names].sort(), `${at}: holiday, term and seasonal days`);
    const selected = cell.names.filter((n) => n.startsWith("almanac:"));
    assert.equal(selected.length, want.selected.length ? 1 : 0, `${at}: one selected day`);
    if (selected.length) assert.ok(want.selected.includes(selected[0].slice(8)), `${at}: ${selected[0]}`);
    // As many names as fit, the count of the rest where they do not.
    assert.equal(cell.shown + cell.more, cell.names.length, `${at}: shown and counted`);
    assert.equal(cell.shown, cell.more ? nameLines - 1 : cell.names.length, `${at}: room used`);
    // The accessible name says it all: date, weekday, lunisolar date, item,
    // phase and every name.
    const [y, m, d] = cell.date.split("-").map(Number);
    const parts = [`${y}年${m}月${d}日 ${day["曜日"]?.[0] || ""}`, want.lunarText, cell.item,
      day["月相"]?.[0], ...cell.names.map((n) => n.slice(n.indexOf(":") + 1))].filter(Boolean);
    for (const part of parts) assert.ok(cell.label.includes(part), `${at}: label has ${part}`);
  }
}

// Problems of layout: an element of a cell outside it, two that overlap,
// text wider than its box. `print` also wants every name whole and the
// document inside the page box (CSS pixels).
const LAYOUT = (scope, leaves, pageBox) => `(() => {
  const problems = [];
  const inside = (r, box) => r.left >= box.left - 0.5 && r.right <= box.right + 0.5 &&
    r.top >= box.top - 0.5 && r.bottom <= box.bottom + 0.5;
  const overlap = (a, b) => Math.min(a.right, b.right) - Math.max(a.left, b.left) > 0.5 &&
    Math.min(a.bottom, b.bottom) - Math.max(a.top, b.top) > 0.5;
  for (const td of document.querySelectorAll(${JSON.stringify(scope)})) {
    const box = td.getBoundingClientRect();
    const parts = [...td.querySelectorAll(${JSON.stringify(leaves)})]
      .filter((e) => e.getClientRects().length > 0 && e.textContent !== "" || e.tagName === "svg" &&
        getComputedStyle(e).display !== "none");
    parts.forEach((e, i) => {
      const r = e.getBoundingClientRect();
      const name = td.dataset.date + " " + (e.getAttribute("class") || e.tagName);
      if (!inside(r, box)) problems.push(name + " outside its cell");
      if (e.tagName !== "svg" && !e.matches(".name") && e.scrollWidth > e.clientWidth + 1) {
        problems.push(name + " cut");
      }
      for (const other of parts.slice(i + 1)) {
        if (!e.contains(other) && overlap(r, other.getBoundingClientRect())) {
          problems.push(name + " over " + (other.getAttribute("class") || other.tagName));
        }
      }
    });
  }
  ${pageBox ? `for (const name of document.querySelectorAll("#weeks .name")) {
    if (name.getClientRects().length === 0) problems.push("a name left out of print");
    else if (name.scrollWidth > name.clientWidth + 1) problems.push(name.textContent + " cut");
  }
  const page = document.documentElement;
  if (page.scrollWidth > ${pageBox.width} || page.scrollHeight > ${pageBox.height}) {
    problems.push("beyond the page: " + page.scrollWidth + "x" + page.scrollHeight);
  }` : ""}
  return problems;
})()`;
const MONTH_LEAVES = ".day, .lunar, .moon, .item, .name, .more";
const YEAR_LEAVES = ".n, .t, .moon";

// The year view's days as drawn.
const YEAR_DAYS = `[...document.querySelectorAll("#year-view td[data-date]")].map((td) => ({
  date: td.dataset.date, red: td.classList.contains("red"), blue: td.classList.contains("blue"),
  holiday: td.classList.contains("holiday"), term: td.querySelector(".t").textContent,
  phase: td.querySelector(".moon").getAttribute("class").includes("none") ? -1
    : Number(/phase-(\\d)/.exec(td.querySelector(".moon").getAttribute("class"))[1]) }))`;

// Words of a PDF page with their boxes in points, from pdftotext -bbox.
function pdfWords(file) {
  const html = execFileSync("pdftotext", ["-bbox", file, "-"], { encoding: "utf8" });
  return [...html.matchAll(/<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)<\/word>/g)]
    .map(([, x0, y0, x1, y1, text]) => ({ x: (Number(x0) + Number(x1)) / 2, y: (Number(y0) + Number(y1)) / 2,
      text: text.replace(/&amp;/g, "&") }));
}

const pdfPages = (file) => Number(/Pages:\s+(\d+)/.exec(execFileSync("pdfinfo", [file],
  { encoding: "utf8" }))[1]);

async function main() {
  const server = await serve(siteDir, "/calendar/");
  const browser = await launch(["--window-size=900,1000"]);
  const problems = [];
  try {
    const page = await openPage(browser);
    browser.on("Runtime.exceptionThrown", (p) => problems.push(p.exceptionDetails.text));
    for (const domain of ["Page", "Runtime"]) await page.send(`${domain}.enable`);
    const show = (address) => page.navigate(`${server.base}${address}`);
    const shot = async (name) => {
      const { data } = await page.send("Page.captureScreenshot", { format: "png", captureBeyondViewport: true });
      writeFileSync(join(outDir, name), Buffer.from(data, "base64"));
    };
    const nameLines = async () => Number(await page.evaluate(
      `getComputedStyle(document.documentElement).getPropertyValue("--name-lines")`));

    // Every cell of twelve months 1870-2100 against the day's lore, by each
    // month rule and both holiday rules, leap months and the span's ends
    // among them; and of three published months before, the first among them.
    const months = [[1870, 2, "rokuyo", "terms", "fixed"], [1872, 12, "kyusei", "solstice", "law"],
      [1898, 4, "rokuyo", "solstice", "fixed"], [1923, 9, "almanac", "terms", "law"],
      [1959, 4, "rokuyo", "terms", "law"], [1989, 1, "27", "solstice", "law"],
      [2012, 4, "rokuyo", "terms", "law"], [2019, 5, "sekki", "published", "law"],
      [2023, 3, "rokuyo", "solstice", "law"], [2033, 12, "rokuyo", "terms", "law"],
      [2034, 1, "choku", "solstice", "fixed"], [2100, 12, "kyureki", "published", "law"],
      [445, 1, "rokuyo", "published", "fixed"], [1331, 10, "27", "published", "law"],
      [1582, 7, "kyureki", "published", "fixed"]];
    let leapMonths = 0;
    for (const [year, month, mode, rule, holidays] of months) {
      await show(`?year=${year}&month=${month}&mode=${mode}&rule=${rule}&holidays=${holidays}`);
      const cells = await page.evaluate(CELLS);
      checkCells(cells, year, month, mode, rule, holidays, await nameLines());
      leapMonths += cells.some((c) => c.lunar.startsWith("閏")) ? 1 : 0;
    }
    assert.ok(leapMonths >= 3, "the samples begin leap months");

    // The layout at a desk's and a phone's width: nothing outside its cell,
    // nothing over another; the names shorten on the phone.
    for (const [width, mobile] of [[900, false], [360, true]]) {
      await page.send("Emulation.setDeviceMetricsOverride", { width, height: 800, deviceScaleFactor: 1, mobile });
      for (const address of ["?year=2019&view=year&holidays=law", "?year=2019&month=5&holidays=law"]) {
        await show(address);
        const year = address.includes("view=year");
        assert.deepEqual(await page.evaluate(LAYOUT(year ? "#year-view td" : "#weeks td",
          year ? YEAR_LEAVES : MONTH_LEAVES)), [], `${address} at ${width} px`);
        assert.ok(await page.evaluate(`document.documentElement.scrollWidth <= ${width}`), `${address} fits ${width} px`);
        await shot(`${year ? "year" : "month"}-${width}.png`);
      }
      const short = await page.evaluate(`(() => { const n = document.querySelector(
        'td[data-date="2019-05-10"] .almanac'); return [n.textContent, n.innerText]; })()`);
      assert.deepEqual(short, ["大明日大明", width < 480 ? "大明" : "大明日"], `names at ${width} px`);
      checkCells(await page.evaluate(CELLS), 2019, 5, "rokuyo", "published", "law",
        await nameLines());
    }
    await page.send("Emulation.clearDeviceMetricsOverride");

    // The year view against the sheets and the lore: each day red, blue or
    // a holiday as its month's sheet, its term and phase as its lore.
    for (const [year, holidays] of [[2019, "law"], [1873, "fixed"], [1582, "law"]]) {
      const rule = year < 1870 ? "published" : "terms";
      await show(`?year=${year}&view=year&holidays=${holidays}`);
      const days = await page.evaluate(YEAR_DAYS);
      let count = 0;
      for (let month = 1; month <= 12; ++month) {
        const sheet = sheetOf(year, month, 0, rule, holidays);
        const lore = loreOf(year, month, rule);
        for (const [date, want] of Object.entries(sheet)) {
          const day = days[count++];
          const { term, phase } = expectedCell(lore[date], holidays, want.holiday);
          assert.deepEqual(day, { date, red: want.colour === "0", blue: want.colour === "6",
            holiday: want.holiday, term, phase }, `year view ${date}`);
        }
      }
      assert.equal(days.length, count, `${year}: every day once`);
    }
    // Keys page by year; a month's heading opens it, a day opens its panel.
    const TITLE = `document.getElementById("title").textContent + " " + location.search`;
    const key = async (name, code) => {
      for (const type of ["keyDown", "keyUp"]) {
        await page.send("Input.dispatchKeyEvent", { type, key: name, code: name, windowsVirtualKeyCode: code });
      }
      return page.evaluate(TITLE);
    };
    await show("?year=2019&month=5&view=year");
    assert.equal(await key("ArrowRight", 39), "2020年（令和2年） ?year=2020&month=5&mode=rokuyo&rule=published&holidays=fixed&view=year");
    assert.equal(await key("PageUp", 33), "2019年（平成31年・令和元年） ?year=2019&month=5&mode=rokuyo&rule=published&holidays=fixed&view=year");
    await page.evaluate(`document.querySelector('#year-view button[data-month="11"]').click()`);
    assert.equal(await page.evaluate(TITLE), "2019年（令和元年）11月 ?year=2019&month=11&mode=rokuyo&rule=published&holidays=fixed");
    await page.evaluate(`history.back()`);
    await page.waitFor(`!document.getElementById("year-view").hidden`, "Back to the year");
    await page.evaluate(`document.querySelector('#year-view td[data-date="2019-02-04"]').click()`);
    assert.deepEqual(await page.evaluate(`[${TITLE}, document.getElementById("lore").dataset.date]`),
      ["2019年（平成31年）2月 ?year=2019&month=2&mode=rokuyo&rule=published&holidays=fixed&day=4", "2019-02-04"]);

    // The 和暦 box: forms of a day as tenvo-term --day reads them open its
    // month and panel, the day in the address; what the reader refuses is
    // said in its own words; by the terms nothing before 1870 is shown.
    const LORE = `[...document.querySelectorAll("#lore-items dt")].map((dt) =>
      dt.textContent + "\\t" + dt.nextElementSibling.textContent)`;
    const dayLines = (...args) => execFileSync(tenvoTerm, ["--day", ...args], { encoding: "utf8" })
      .replace(/\n$/, "").split("\n").map((l) => l.replace(/ +/, "\t"));
    const refusal = (words) => {
      try {
        execFileSync(tenvoTerm, ["--day", words], { stdio: ["ignore", "ignore", "pipe"] });
      } catch (error) {
        return String(error.stderr).trim().replace(/^tenvo-term: --day /, "").replace(/ \(try --help\)$/, "");
      }
      return null;
    };
    const ask = (words) => page.evaluate(`(() => { const box = document.getElementById("wareki");
      box.value = ${JSON.stringify(words)}; document.getElementById("goto").requestSubmit();
      return [location.search, document.getElementById("notice").hidden ? ""
        : document.getElementById("notice").textContent]; })()`);
    for (const [words, search] of [
      ["天正10年6月2日", "?year=1582&month=7&mode=rokuyo&rule=published&holidays=fixed&day=1"],
      ["天正１０年六月二日", "?year=1582&month=7&mode=rokuyo&rule=published&holidays=fixed&day=1"],
      ["元和9年閏8月1日", "?year=1623&month=9&mode=rokuyo&rule=published&holidays=fixed&day=25"],
      ["明治五年十二月二日", "?year=1872&month=12&mode=rokuyo&rule=published&holidays=fixed&day=31"],
      ["令和8年12月9日", "?year=2026&month=12&mode=rokuyo&rule=published&holidays=fixed&day=9"]]) {
      await show("?year=2000&month=1");
      assert.deepEqual(await ask(words), [search, ""], words);
      assert.deepEqual(await page.evaluate(LORE), dayLines(words), `${words}: the program's lore`);
      // The address alone shows the same.
      await show(search);
      assert.deepEqual(await page.evaluate(LORE), dayLines(words), `${words} from the address`);
    }
    for (const words of ["天正21年1月1日", "慶長5年1月30日", "大正元年1月1日", "天正", "0300-01-01"]) {
      await show("?year=2000&month=1");
      const message = refusal(words);
      assert.ok(message, `tenvo-term refuses ${words}`);
      assert.deepEqual(await ask(words), ["?year=2000&month=1&mode=rokuyo&rule=published&holidays=fixed", message],
        `${words}: the reader's words`);
    }
    await show("?year=2000&month=1&rule=terms");
    const [kept, said] = await ask("天正10年6月2日");
    assert.ok(kept === "?year=2000&month=1&mode=rokuyo&rule=terms&holidays=fixed" &&
      /1582年7月1日.*1870年から/.test(said), `by the terms: ${said}`);
    // The nine modes and the three rules, the published one the default.
    assert.deepEqual(await page.evaluate(`[[...document.getElementById("mode").options].map((o) => o.textContent).at(-1),
      document.getElementById("mode").options.length, document.getElementById("rule").value]`),
    ["旧暦", 9, "terms"]);
    await show("?year=2000&month=1");
    assert.equal(await page.evaluate(`document.getElementById("rule").value`), "published");

    // The place of the day's times: a capital by name or LAT,LON from the
    // address or the box, kept in the address, the times as tenvo-term's
    // --place gives them; a place that is none is said so and 東京 kept.
    for (const place of ["札幌", "43.1,141.35"]) {
      await show(`?year=2026&month=2&place=${encodeURIComponent(place)}&day=3`);
      assert.deepEqual(await page.evaluate(LORE), dayLines("2026-02-03", "--place", place),
        `the times at ${place}`);
    }
    await show("?year=2026&month=2&place=%E6%A8%AA%E9%A0%88%E8%B3%80&day=3");
    assert.ok((await page.evaluate(`document.getElementById("notice").textContent`)).includes("場所「横須賀」"),
      "an unknown place is named");
    assert.deepEqual(await page.evaluate(LORE), dayLines("2026-02-03"), "東京 in its stead");
    const typed = await page.evaluate(`(() => { const box = document.getElementById("place");
      box.value = "那覇"; box.dispatchEvent(new Event("change")); return location.search; })()`);
    assert.equal(new URLSearchParams(typed).get("place"), "那覇", "the typed place in the address");
    assert.deepEqual(await page.evaluate(LORE), dayLines("2026-02-03", "--place", "那覇"), "the times at 那覇");
    assert.ok((await page.evaluate(LORE)).some((line) => /^月の入\t(\d\d:\d\d|なし)$/.test(line)));

    // Printing: the button prints; the month (A4 portrait) and the year (A4
    // landscape) each on one page, laid out inside it, every day's
    // lunisolar date and 六曜 in the PDF's text inside that day's cell.
    assert.equal(await page.evaluate(`(() => { let printed = 0; window.print = () => ++printed;
      document.getElementById("print").click(); return printed; })()`), 1, "the print button");
    const MM = 96 / 25.4;
    for (const sheet of [
      { address: "?year=1959&month=4&holidays=law", name: "print-month", margin: 10, width: 210, height: 297 },
      { address: "?year=2026&view=year&holidays=law", name: "print-year", margin: 8, width: 297, height: 210 },
    ]) {
      const box = { width: (sheet.width - 2 * sheet.margin) * MM, height: (sheet.height - 2 * sheet.margin) * MM };
      const year = sheet.address.includes("view=year");
      await show(sheet.address);
      await page.send("Emulation.setEmulatedMedia", { media: "print" });
      await page.send("Emulation.setDeviceMetricsOverride",
        { width: Math.floor(box.width), height: Math.floor(box.height), deviceScaleFactor: 1, mobile: false });
      assert.deepEqual(await page.evaluate(LAYOUT(year ? "#year-view td" : "#weeks td",
        year ? YEAR_LEAVES : MONTH_LEAVES, box)), [], `${sheet.name}: laid out inside the page`);
      const cells = await page.evaluate(`[...document.querySelectorAll("#weeks td[data-date]")].map((td) => {
        const r = td.getBoundingClientRect();
        return { date: td.dataset.date, day: td.querySelector(".day").textContent,
          lunar: td.querySelector(".lunar").textContent, item: td.querySelector(".item").textContent,
          left: r.left, right: r.right, top: r.top, bottom: r.bottom }; })`);
      await page.send("Emulation.clearDeviceMetricsOverride");
      await page.send("Emulation.setEmulatedMedia", { media: "" });
      const { data } = await page.send("Page.printToPDF", { preferCSSPageSize: true, printBackground: true });
      const pdf = join(outDir, `${sheet.name}.pdf`);
      writeFileSync(pdf, Buffer.from(data, "base64"));
      assert.equal(pdfPages(pdf), 1, `${sheet.name}: one page`);
      const size = /Page size:\s+([\d.]+) x ([\d.]+)/.exec(execFileSync("pdfinfo", [pdf], { encoding: "utf8" }));
      assert.deepEqual([Math.round(size[1] / 72 * 25.4), Math.round(size[2] / 72 * 25.4)],
        [sheet.width, sheet.height], `${sheet.name}: A4`);
      execFileSync("pdftoppm", ["-r", "100", "-png", "-singlefile", pdf, join(outDir, sheet.name)]);
      const words = pdfWords(pdf);
      const pt = (px) => sheet.margin * 72 / 25.4 + px * 0.75;
      for (const c of cells) {
        const within = words.filter((w) => w.x >= pt(c.left) && w.x <= pt(c.right) &&
          w.y >= pt(c.top) && w.y <= pt(c.bottom)).map((w) => w.text).join(" ");
        for (const part of [c.day, c.lunar, c.item].filter(Boolean)) {
          assert.ok(within.split(" ").includes(part), `${sheet.name} ${c.date}: ${part} in "${within}"`);
        }
      }
      if (year) {
        const text = words.map((w) => w.text).join(" ");
        for (let m = 1; m <= 12; ++m) assert.ok(text.includes(`${m}月`), `${sheet.name}: ${m}月`);
        for (const term of ["立春", "春分", "夏至", "秋分", "冬至"]) assert.ok(text.includes(term), term);
      } else {
        assert.equal(cells.length, Object.keys(sheetOf(1959, 4, 0, "terms", "law")).length,
          `${sheet.name}: every day`);
      }
    }

    // Installable, and after one visit open with the server gone.
    assert.deepEqual((await page.send("Page.getInstallabilityErrors")).installabilityErrors, [], "installable");
    await show("?year=2026&month=3");
    await page.waitFor(`navigator.serviceWorker.controller !== null`, "the worker in control");
    await server.close();
    await show("?year=2031&month=7&mode=kanshi");
    assert.deepEqual(await page.evaluate(`[document.getElementById("title").textContent,
      document.querySelectorAll("#weeks td[data-date]").length,
      document.querySelector('td[data-date="2031-07-01"] .item').textContent]`),
    ["2031年（令和13年）7月", 31, sheetOf(2031, 7, 4, "terms", "fixed")["2031-07-01"].item], "offline");
    await shot("offline-2031-07.png");

    assert.deepEqual(problems, [], "no exception in the page");
    console.log(`views test: ${months.length} months' cells against the lore, three year views, ` +
      `the 和暦 box, the place of the times, layout at 900 and 360 px, a printed month and year, offline; kept in ${outDir}`);
  } finally {
    await browser.close();
    await server.close();
  }
}

main().catch((error) => {
  console.error(`views test: ${error.message}`);
  process.exit(1);
});
