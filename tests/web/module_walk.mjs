// Every month 1870-2100 (445-2100 as published) in every mode and option
// from the WebAssembly module,
// hashed as the native reference hashes it (web_sheet_walk hashes), and the
// module's answers to requests it must refuse.
// Every day's lore likewise (web_sheet_walk lore).
//   node module_walk.mjs MODULE_JS NATIVE_HASHES NATIVE_LORE_HASHES
import { createRequire } from "node:module";
import { readFileSync } from "node:fs";
import { strict as assert } from "node:assert";
import { expectedCell, loreRecord } from "./lore_cells.mjs";

const [moduleJs, hashesFile, loreFile] = process.argv.slice(2);
// A failure prints its message alone, not the minified line it came through.
process.on("uncaughtException", (error) => {
  console.error(`module walk: ${error.message}`);
  process.exit(1);
});
const require = createRequire(import.meta.url);
const createCalendarModule = require(moduleJs);
const module = await createCalendarModule({
  wasmBinary: readFileSync(moduleJs.replace(/\.js$/, ".wasm")),
});
const text = (ptr) => module.UTF8ToString(ptr);
// The page's default place for the day's times, as the module reads it.
const TOKYO = (() => {
  const bytes = module.lengthBytesUTF8("東京");
  module.stringToUTF8("東京", module._web_input(bytes), bytes + 1);
  return text(module._web_read_place()).split("\t").map(Number);
})();

function fnv1a(bytes, hash) {
  for (const b of bytes) hash = Math.imul(hash ^ b, 16777619) >>> 0;
  return hash;
}

const encoder = new TextEncoder();
const pad = (n, width) => String(n).padStart(width, "0");

// A month's cells as the native reference writes them; checks the layout on
// the way: 42 cells, the days 1..n in order, blanks before and after.
function monthText(year, month, mode, solstice, law) {
  const lines = text(module._web_month(year, month, mode, solstice, law)).split("\n");
  assert.equal(lines.pop(), "");
  assert.equal(lines.length, 42, `${year}-${month}: 42 cells`);
  let out = "";
  let expected = 1;
  for (const line of lines) {
    const [day, colour, holiday, item, name] = line.split("\t");
    if (day === "0") {
      assert.ok(item === "" && name === "", `${year}-${month}: a blank cell is blank`);
      continue;
    }
    assert.equal(Number(day), expected++, `${year}-${month}: days in order`);
    if (law === 0) assert.equal(name, "", "the fixed table names no holiday");
    else assert.equal(name !== "", holiday === "1", `${year}-${month}-${day}: named holidays`);
    out += `${pad(year, 4)}-${pad(month, 2)}-${pad(day, 2)}\t${colour}\t${holiday}\t${item}\n`;
  }
  assert.ok(expected >= 29, `${year}-${month}: a whole month`);
  return out;
}

// By the module's rule codes; the published calendar reaches back to 445.
const rules = ["terms", "solstice", "published"];
const YEARS = 2100 - 1870 + 1;
const PUBLISHED_YEARS = 2100 - 445 + 1;
const holidayRules = ["fixed", "law"];
let mismatches = 0;
let compared = 0;
for (const line of readFileSync(hashesFile, "utf8").trim().split("\n")) {
  const [mode, rule, holidays, year, hash] = line.split(" ");
  let h = 2166136261;
  for (let month = 1; month <= 12; ++month) {
    h = fnv1a(encoder.encode(monthText(Number(year), month, Number(mode),
      rules.indexOf(rule), holidayRules.indexOf(holidays))), h);
  }
  ++compared;
  if (h.toString(16).padStart(8, "0") !== hash) {
    if (mismatches++ < 10) console.error(`differs: mode ${mode} ${rule} ${holidays} ${year}`);
  }
}
// Nine modes; by the terms and the solstice both holiday rules every year,
// as published both from 1870 and the fixed table alone before.
assert.equal(compared, 9 * (2 * 2 * YEARS + 2 * YEARS + (PUBLISHED_YEARS - YEARS)),
  "the native walk covers every year and option");
assert.equal(mismatches, 0, `${mismatches} years differ from the native sheets`);

// Every day's lore. Days 1..31 of every month are asked: a day not in the
// calendar must answer the empty text, which leaves the hash as it was, as
// the native walk, which skips such days, leaves it.
// On the way, what the page's day cells show (web_month_days, holidays by
// law) against that lore, every day by every rule; and the term and phase
// of every day as published, for the year view below.
const KINDS = { h: "holiday-name", t: "term", s: "seasonal", a: "almanac" };
const termsAndPhases = new Map();
let loreYears = 0;
for (const line of readFileSync(loreFile, "utf8").trim().split("\n")) {
  const [rule, year, hash] = line.split(" ");
  let h = 2166136261;
  for (let month = 1; month <= 12; ++month) {
    const details = text(module._web_month_days(Number(year), month, rules.indexOf(rule), 1))
      .split("\n");
    for (let day = 1; day <= 31; ++day) {
      const lore = text(module._web_day(Number(year), month, day, rules.indexOf(rule), ...TOKYO));
      h = fnv1a(encoder.encode(lore), h);
      if (lore === "") continue;
      const want = expectedCell(loreRecord(lore.split("\n")), "law", false);
      const [leap, lunarMonth, lunarDay, phase, , ...names] = details[day - 1].split("\t");
      const kinds = names.filter((_, i) => i % 3 === 0);
      const named = names.filter((_, i) => i % 3 === 1).map((name, i) => `${KINDS[kinds[i]]}:${name}`);
      const at = `${year}-${month}-${day} by ${rule}`;
      assert.deepEqual([leap === "1", Number(lunarMonth), Number(lunarDay), Number(phase)],
        [want.leap, want.lunarMonth, want.lunarDay, want.phase], `${at}: lunisolar date and phase`);
      // The selected day, when the day has any, is one of them and last.
      const selected = want.selected.length ? named.pop() : null;
      assert.deepEqual(named, want.names, `${at}: names`);
      if (selected) assert.ok(want.selected.includes(selected.replace(/^almanac:/, "")), `${at}: ${selected}`);
      if (rule === "published") termsAndPhases.set(`${year}-${month}-${day}`, [want.term, want.phase]);
    }
  }
  assert.equal(h.toString(16).padStart(8, "0"), hash, `the lore of ${year} by ${rule}`);
  ++loreYears;
}
assert.equal(loreYears, 2 * YEARS + PUBLISHED_YEARS, "the native lore walk covers every year and rule");

// The year view's days: each in its month's cell with its sheet's colour
// and holiday, by both holiday rules (the same before 1870, when none is
// marked), and the term and phase of its lore.
for (let year = 445; year <= 2100; ++year) {
  for (const law of year < 1870 ? [0] : [0, 1]) {
    const days = text(module._web_year_days(year, law)).split("\n");
    assert.equal(days.pop(), "");
    let next = 0;
    for (let month = 1; month <= 12; ++month) {
      text(module._web_month(year, month, 0, 2, law)).split("\n").forEach((line, cell) => {
        const [day, colour, holiday, , name] = line.split("\t");
        if (day === "0" || day === undefined || line === "") return;
        // Days before the calendar's first have no lore: no term, no phase.
        const [term, phase] = termsAndPhases.get(`${year}-${month}-${day}`) || ["", -1];
        const got = days[next++].split("\t");
        assert.deepEqual(got, [String(month), day, String(cell), colour, holiday, term, String(phase),
          got[7], name], `the year view's ${year}-${month}-${day}`);
        assert.equal(got[7] !== "", phase >= 0, `${year}-${month}-${day}: the phase named`);
      });
    }
    assert.equal(next, days.length, `${year}: every day once`);
  }
}
// Requests outside the calendar get the empty text, never a stray sheet:
// before a rule's first year, after 2100, no such month, mode or rule.
for (const [year, month, mode, rule] of [[1869, 12, 0, 0], [1869, 12, 0, 1], [444, 12, 0, 2],
  [2101, 1, 0, 2], [2026, 0, 0, 2], [2026, 13, 0, 0], [2026, 5, -1, 0], [2026, 5, 9, 0],
  [2026, 5, 0, 3], [2026, 5, 0, -1], [-2147483648, 1, 0, 2]]) {
  const what = `${year}-${month} mode ${mode} rule ${rule}`;
  assert.equal(text(module._web_month(year, month, mode, rule, 0)), "", what);
  if (mode === 0) {
    assert.equal(text(module._web_month_days(year, month, rule, 0)), "", `days of ${what}`);
    assert.equal(text(module._web_month_era(year, month, rule)), "", `era of ${what}`);
    assert.equal(text(module._web_day(year, month, 1, rule, ...TOKYO)), "", `day 1 of ${what}`);
  }
}
for (const [year, month, day] of [[2026, 5, 0], [2026, 5, 32], [2026, 2, 30], [445, 1, 24]]) {
  assert.equal(text(module._web_day(year, month, day, 2, ...TOKYO)), "", `no day ${year}-${month}-${day}`);
}
for (const year of [444, 2101, -2147483648]) {
  assert.equal(text(module._web_year_days(year, 0)), "", `no year view of ${year}`);
  assert.equal(text(module._web_year_title(year, 2)), "", `no title of ${year}`);
}
assert.deepEqual([0, 1, 2].map((rule) => module._web_first_year(rule)), [1870, 1870, 445],
  "each rule's first year");
// A year's title: its era years, and the 干支 and 九星 of the year from its
// 立春 (before 1870 the lunisolar year's 干支 alone); published, both courts
// where they differ.
for (const [year, rule, title] of [[2026, 0, "令和8年\t丙午\t一白"], [2026, 2, "令和8年\t丙午\t一白"],
  [1989, 1, "昭和64年・平成元年\t己巳\t二黒"], [1870, 0, "明治2年・明治3年\t庚午\t四緑"],
  [1582, 2, "天正9年・天正10年\t壬午\t"], [1350, 2, "南朝 正平4年・正平5年・北朝 貞和5年・観応元年\t庚寅\t"],
  [445, 2, "允恭天皇34年\t乙酉\t"]]) {
  assert.equal(text(module._web_year_title(year, rule)), title, `the title of ${year} by rule ${rule}`);
}
// Era dates read as the terminal's --day reads them: forms of one day, and
// the reader's own message for what it refuses; by the terms and the
// solstice nothing before 1870.
const readDate = (words, rule) => {
  const bytes = module.lengthBytesUTF8(words);
  module.stringToUTF8(words, module._web_input(bytes), bytes + 1);
  return text(module._web_read_date(rule)).split("\t");
};
for (const [words, rule, day] of [["天正10年6月2日", 2, "1582-7-1"], ["天正１０年六月二日", 2, "1582-7-1"],
  ["元和9年閏8月1日", 2, "1623-9-25"], ["令和八年十二月九日", 0, "2026-12-9"], ["2026-12-09", 1, "2026-12-9"],
  ["明治5年12月2日", 2, "1872-12-31"], ["明治6年1月1日", 0, "1873-1-1"]]) {
  assert.equal(readDate(words, rule).slice(0, 3).join("-"), day, words);
}
for (const [words, rule, message] of [["天正21年1月1日", 2, /天正 counted the years 元年 to 20年, not 21/],
  ["foo", 2, /is not a date/], ["天正10年6月2日", 0, /1582年7月1日です。.*1870年から/],
  ["大正元年1月1日", 2, /./]]) {
  const [year, , , said] = readDate(words, rule);
  assert.ok(year === "" && message.test(said), `${words}: ${said}`);
}
// The moment of writing is held to what the module's 32-bit time_t can say.
for (const [stamp, written] of [[1796774400, "20261209T000000Z"], [4e9, "20380119T031407Z"],
  [-5, "19700101T000000Z"], [NaN, "19700101T000000Z"]]) {
  assert.match(text(module._web_year_calendar(2026, 0, 0, 0, stamp)),
    new RegExp(`\r\nDTSTAMP:${written}\r\n`), `stamp ${stamp}`);
}
assert.equal(text(module._web_year_calendar(1869, 0, 0, 0, 0)), "", "no calendar of 1869");
console.log(`module walk: ${compared * 12} months in every mode and option and every day's ` +
  `lore of ${loreYears} rule-years equal to native; the day cells and the year view against ` +
  `them; era dates read`);
