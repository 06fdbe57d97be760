// The page's script: reads the choices from the address, asks the calendar
// module for the month or the year and draws it, turns the page, shows a
// day's items, prints, and offers the year's iCalendar file. Every calendar
// answer comes from the module; this script only lays them out.
(() => {
  "use strict";

  // The address's values in the order of the module's mode codes: a new mode
  // only ever comes last, so that every old link shows what it showed.
  const MODES = ["rokuyo", "kyusei", "27", "28", "kanshi", "sekki", "almanac", "choku", "kyureki"];
  const MODE_NAMES = ["六曜", "九星", "二十七宿", "二十八宿", "干支", "二十四節気", "暦注", "十二直",
    "旧暦"];
  // The month rules, the default first, and the module's codes for them.
  const RULES = ["published", "terms", "solstice"];
  const RULE_CODES = { terms: 0, solstice: 1, published: 2 };
  const HOLIDAYS = ["fixed", "law"];
  const VIEWS = ["month", "year"];
  const WEEKDAYS = ["日", "月", "火", "水", "木", "金", "土"];
  // The classes of a day's names by the kind the module gives them.
  const NAME_KINDS = { h: "holiday-name", t: "term", s: "seasonal", a: "almanac" };
  const DEFAULT_PLACE = "東京";
  const WHEEL_STEP = 100; // pixels of wheel travel per page turn: one notch
  const SWIPE_MIN = 50; // pixels a horizontal swipe must travel

  const $ = (id) => document.getElementById(id);
  let calendar = null; // the module's functions once loaded
  let lastYear = 2100;
  let shown = null; // {year, month, mode, rule, holidays, view, place}
  let chosenDay = 0;
  let cells = []; // 42 {td, button, day, lunar, moon, item, names, date, column}
  let yearCells = null; // 12 months of 42 {td, number, term, moon}, built when first shown
  let nameLines = 3; // the names a cell has room for, as the stylesheet says

  // --- the module --------------------------------------------------------

  function loadCalendar(module) {
    const text = (ptr) => module.UTF8ToString(ptr);
    const rule = (s) => RULE_CODES[s.rule];
    const law = (s) => (s.holidays === "law" ? 1 : 0);
    return {
      firstYear: (ruleName) => module._web_first_year(RULE_CODES[ruleName]),
      lastYear: module._web_last_year(),
      month: (s) => text(module._web_month(s.year, s.month, MODES.indexOf(s.mode), rule(s), law(s))),
      monthDays: (s) => text(module._web_month_days(s.year, s.month, rule(s), law(s))),
      era: (s) => text(module._web_month_era(s.year, s.month, rule(s))),
      yearTitle: (s) => text(module._web_year_title(s.year, rule(s))),
      yearDays: (s) => text(module._web_year_days(s.year, law(s))),
      day: (s, day) => {
        const place = calendar.readPlace(s.place);
        return text(module._web_day(s.year, s.month, day, rule(s), place.latitude ?? NaN,
          place.longitude ?? NaN));
      },
      places: () => text(module._web_places()).trim().split("\n").map((line) => line.split("\t")[0]),
      // A place as tenvo-term --place reads it: { latitude, longitude } or
      // { message }.
      readPlace: (words) => {
        const bytes = module.lengthBytesUTF8(words);
        module.stringToUTF8(words, module._web_input(bytes), bytes + 1);
        const [latitude, longitude, message] = text(module._web_read_place()).split("\t");
        return message ? { message } : { latitude: Number(latitude), longitude: Number(longitude) };
      },
      yearCalendar: (s, stamp) =>
        text(module._web_year_calendar(s.year, MODES.indexOf(s.mode), rule(s), law(s), stamp)),
      // The day a 和暦 (or YYYY-MM-DD) text names: { year, month, day } or
      // { message } with the reader's words.
      readDate: (s, words) => {
        const bytes = module.lengthBytesUTF8(words);
        module.stringToUTF8(words, module._web_input(bytes), bytes + 1);
        const [year, month, day, message] = text(module._web_read_date(rule(s))).split("\t");
        return year ? { year: Number(year), month: Number(month), day: Number(day) } : { message };
      },
    };
  }

  // One line of web_month_days: the lunisolar date, the phase and the names.
  function dayDetails(line) {
    const [leap, lunarMonth, lunarDay, phase, phaseName, ...rest] = line.split("\t");
    const names = [];
    for (let i = 0; i + 2 < rest.length; i += 3) {
      names.push({ kind: rest[i], name: rest[i + 1], short: rest[i + 2] });
    }
    return { leap: leap === "1", lunarMonth: Number(lunarMonth), lunarDay: Number(lunarDay),
      phase: Number(phase), phaseName, names };
  }

  // --- the address -------------------------------------------------------

  function thisMonth() {
    const now = new Date();
    return { year: now.getFullYear(), month: now.getMonth() + 1 };
  }

  // A whole number written in decimal, or null.
  function wholeNumber(text) {
    return text !== null && /^[+-]?\d+$/.test(text.trim()) ? Number(text) : null;
  }

  // The choices an address asks for, made valid: a month outside the
  // calendar's span becomes the nearest month inside it, an unknown value
  // the default. `notes` says what was changed.
  function choicesOf(search) {
    const params = new URLSearchParams(search);
    const today = thisMonth();
    const notes = [];
    const pick = (name, values, label) => {
      const value = params.get(name);
      if (value === null) return values[0];
      if (values.includes(value)) return value;
      notes.push(`${label}「${value}」は選べません`);
      return values[0];
    };
    // The rule first: how far back the months reach is the rule's.
    const rule = pick("rule", RULES, "月の数え方");
    const firstYear = calendar.firstYear(rule);
    let year = today.year;
    let month = today.month;
    if (params.has("year")) {
      const y = wholeNumber(params.get("year"));
      if (y === null) notes.push(`年「${params.get("year")}」は数ではありません`);
      else year = y;
    }
    if (params.has("month")) {
      const m = wholeNumber(params.get("month"));
      if (m === null) notes.push(`月「${params.get("month")}」は数ではありません`);
      else month = m;
    }
    if (month < 1 || month > 12) {
      notes.push(`${month}月はありません`);
      month = month < 1 ? 1 : 12;
    }
    // Named as written: a number too long for a year is no clearer as 1e+21.
    const yearText = params.get("year") ?? String(year);
    if (year < firstYear) {
      notes.push(`${yearText}年は${firstYear}年より前です`);
      year = firstYear;
      month = 1;
    } else if (year > lastYear) {
      notes.push(`${yearText}年は${lastYear}年より後です`);
      year = lastYear;
      month = 12;
    }
    const mode = pick("mode", MODES, "暦注");
    const holidays = pick("holidays", HOLIDAYS, "祝日");
    const view = pick("view", VIEWS, "表示の単位");
    // The day whose panel is open; checked against the month once drawn.
    let day = 0;
    if (params.has("day")) {
      day = wholeNumber(params.get("day")) ?? -1;
      if (day < 1 || day > 31) {
        notes.push(`日「${params.get("day")}」はありません`);
        day = 0;
      }
    }
    // The place of the day's times: a prefectural capital or LAT,LON.
    let place = DEFAULT_PLACE;
    if (params.has("place")) {
      const text = params.get("place");
      if (calendar.readPlace(text).message === undefined) place = text;
      else notes.push(`場所「${text}」は選べません（都道府県庁所在地の名前か、緯度,経度）`);
    }
    const choices = { year, month, mode, rule, holidays, view, day, place };
    const what = view === "year" ? `${year}年` : `${year}年${month}月`;
    const note = notes.length
      ? `${notes.join("、")}。${what}（${MODE_NAMES[MODES.indexOf(mode)]}）を表示しています。`
      : "";
    return { choices, note };
  }

  // The month view's address leaves the view out, as every old link did;
  // `day` is the day whose panel is open.
  function addressOf(s, day = 0) {
    const params = new URLSearchParams({
      year: String(s.year),
      month: String(s.month),
      mode: s.mode,
      rule: s.rule,
      holidays: s.holidays,
    });
    if (s.view !== "month") params.set("view", s.view);
    if (s.place && s.place !== DEFAULT_PLACE) params.set("place", s.place);
    if (day) params.set("day", String(day));
    return `?${params}`;
  }

  // --- drawing -----------------------------------------------------------

  const isoDate = (year, month, day) => `${String(year).padStart(4, "0")}-` +
    `${String(month).padStart(2, "0")}-${String(day).padStart(2, "0")}`;

  function element(tag, className, text) {
    const e = document.createElement(tag);
    if (className) e.className = className;
    if (text !== undefined) e.textContent = text;
    return e;
  }

  // A drawn Moon: one of the page's own symbols, chosen by phase later.
  function moonPicture() {
    const svg = document.createElementNS("http://www.w3.org/2000/svg", "svg");
    svg.setAttribute("class", "moon none");
    svg.setAttribute("viewBox", "0 0 16 16");
    svg.setAttribute("aria-hidden", "true");
    const use = document.createElementNS("http://www.w3.org/2000/svg", "use");
    svg.append(use);
    return svg;
  }

  function showMoon(svg, phase) {
    if (phase >= 0) svg.firstChild.setAttribute("href", `#moon-${phase}`);
    svg.setAttribute("class", phase >= 0 ? `moon phase-${phase}` : "moon none");
  }

  function buildGrid() {
    const body = $("weeks");
    for (let row = 0; row < 6; ++row) {
      const tr = document.createElement("tr");
      for (let column = 0; column < 7; ++column) {
        const td = document.createElement("td");
        const button = element("button", "cell");
        button.type = "button";
        const top = element("span", "top");
        const day = element("span", "day");
        const lunar = element("span", "lunar");
        const moon = moonPicture();
        top.append(day, moon, lunar);
        const item = element("span", "item");
        const names = element("span", "names");
        for (const part of [top, item, names]) part.setAttribute("aria-hidden", "true");
        button.append(top, item, names);
        td.append(button);
        tr.append(td);
        const cell = { td, button, day, lunar, moon, item, names, date: 0, column };
        button.addEventListener("click", () => showLore(cell.date));
        cells.push(cell);
      }
      body.append(tr);
    }
  }

  // The lunisolar date as a cell writes it: the month on its first day
  // ("11月", or "閏11" for a leap month), the day on the others.
  function lunarText(d) {
    if (d.lunarDay === 0) return "";
    if (d.lunarDay !== 1) return String(d.lunarDay);
    return d.leap ? `閏${d.lunarMonth}` : `${d.lunarMonth}月`;
  }

  // The names a cell shows: as many as it has room for, and where some do
  // not fit, one line fewer and a count of the rest (all in the panel, and
  // all in print). A name with a shorter form carries both; the stylesheet
  // chooses by width.
  function fillNames(box, names) {
    box.replaceChildren();
    const room = names.length > nameLines ? nameLines - 1 : names.length;
    names.forEach((n, i) => {
      const span = element("span", `name ${NAME_KINDS[n.kind] || ""}${i >= room ? " spill" : ""}`);
      if (n.short && n.short !== n.name) {
        span.append(element("span", "long", n.name), element("span", "short", n.short));
      } else {
        span.textContent = n.name;
      }
      box.append(span);
    });
    if (room < names.length) box.append(element("span", "more", `＋${names.length - room}`));
  }

  function yearSigns(s) {
    const [era, pair, star] = calendar.yearTitle(s).split("\t");
    const signs = [pair && `年の干支 ${pair}`, star && `九星 ${star}`].filter(Boolean).join("・");
    return { era, signs };
  }

  function titleOf(s) {
    if (s.view === "year") {
      const { era } = yearSigns(s);
      return era ? `${s.year}年（${era}）` : `${s.year}年`;
    }
    const era = calendar.era(s);
    return era ? `${s.year}年（${era}）${s.month}月` : `${s.year}年${s.month}月`;
  }

  function renderMonth(s) {
    const today = new Date();
    const isThisMonth = today.getFullYear() === s.year && today.getMonth() + 1 === s.month;
    const lines = calendar.month(s).split("\n");
    const details = calendar.monthDays(s).split("\n").map(dayDetails);
    const named = [];
    for (let i = 0; i < cells.length; ++i) {
      const cell = cells[i];
      const [day, colour, holiday, item] = (lines[i] || "0\t0\t0\t\t").split("\t");
      const d = Number(day);
      cell.date = d;
      const td = cell.td;
      if (d === 0) {
        td.className = "empty";
        td.removeAttribute("data-date");
        td.removeAttribute("aria-current");
        cell.day.textContent = "";
        cell.item.textContent = "";
        cell.button.hidden = true;
        continue;
      }
      const detail = details[d - 1];
      let className = colour === "0" ? "red" : colour === "6" ? "blue" : "";
      if (holiday === "1") className += " holiday";
      if (isThisMonth && d === today.getDate()) className += " today";
      if (d === chosenDay) className += " chosen";
      td.className = className.trim();
      td.dataset.date = isoDate(s.year, s.month, d);
      if (isThisMonth && d === today.getDate()) td.setAttribute("aria-current", "date");
      else td.removeAttribute("aria-current");
      cell.day.textContent = day;
      cell.lunar.textContent = lunarText(detail);
      cell.lunar.classList.toggle("first", detail.lunarDay === 1);
      showMoon(cell.moon, detail.phase);
      cell.item.textContent = item;
      fillNames(cell.names, detail.names);
      cell.button.hidden = false;
      const parts = [`${s.year}年${s.month}月${d}日 ${WEEKDAYS[cell.column]}曜日`];
      if (detail.lunarDay) {
        parts.push(`旧暦${detail.leap ? "閏" : ""}${detail.lunarMonth}月${detail.lunarDay}日`);
      }
      if (item) parts.push(item);
      if (detail.phaseName) parts.push(detail.phaseName);
      for (const n of detail.names) parts.push(n.name);
      cell.button.setAttribute("aria-label", parts.join("、"));
      cell.button.title = detail.names.map((n) => n.name).join("・");
      const listed = detail.names.filter((n) => n.kind !== "a");
      if (listed.length) named.push({ d, column: cell.column, listed, holiday: holiday === "1" });
    }
    // The month's named days below the grid (printed; hidden on a screen,
    // where the cells and the panel name them).
    $("named-days").replaceChildren(...named.map(({ d, column, listed, holiday }) => {
      const li = element("li", holiday ? "red" : "");
      li.append(element("span", "when", `${d}日（${WEEKDAYS[column]}）`),
        listed.map((n) => n.name).join("・"));
      return li;
    }));
  }

  function buildYear() {
    yearCells = [];
    const view = $("year-view");
    for (let month = 1; month <= 12; ++month) {
      const block = element("section", "year-month");
      const heading = element("h2");
      const open = element("button", "", `${month}月`);
      open.type = "button";
      open.dataset.month = String(month);
      heading.append(open);
      const table = element("table");
      const head = element("tr");
      WEEKDAYS.forEach((w, i) => head.append(element("th", i === 0 ? "sun" : i === 6 ? "sat" : "", w)));
      const thead = element("thead");
      thead.append(head);
      const tbody = element("tbody");
      const monthCells = [];
      for (let row = 0; row < 6; ++row) {
        const tr = element("tr");
        for (let column = 0; column < 7; ++column) {
          const td = element("td");
          const number = element("span", "n");
          const moon = moonPicture();
          const term = element("span", "t");
          td.append(number, moon, term);
          tr.append(td);
          monthCells.push({ td, number, term, moon });
        }
        tbody.append(tr);
      }
      table.append(thead, tbody);
      block.append(heading, table);
      view.append(block);
      yearCells.push(monthCells);
    }
    // A day or a month's heading opens the month; a day also its panel.
    view.addEventListener("click", (event) => {
      const open = event.target.closest("button[data-month]");
      const day = event.target.closest("td[data-date]");
      if (open) go({ ...shown, month: Number(open.dataset.month), view: "month" }, "push");
      else if (day) {
        const [, month, d] = day.dataset.date.split("-").map(Number);
        go({ ...shown, month, view: "month" }, "push");
        showLore(d);
      }
    });
  }

  function renderYear(s) {
    if (!yearCells) buildYear();
    const today = new Date();
    for (const monthCells of yearCells) {
      for (const c of monthCells) {
        c.td.className = "empty";
        c.td.removeAttribute("data-date");
        c.td.removeAttribute("title");
        c.number.textContent = "";
        c.term.textContent = "";
        showMoon(c.moon, -1);
      }
    }
    for (const line of calendar.yearDays(s).split("\n")) {
      if (line === "") continue;
      const [month, day, cell, colour, holiday, term, phase, phaseName, holidayName] =
        line.split("\t");
      const m = Number(month);
      const d = Number(day);
      const c = yearCells[m - 1][Number(cell)];
      let className = colour === "0" ? "red" : colour === "6" ? "blue" : "";
      if (holiday === "1") className += " holiday";
      if (term) className += " term";
      if (today.getFullYear() === s.year && today.getMonth() + 1 === m && today.getDate() === d) {
        className += " today";
      }
      c.td.className = className.trim();
      c.td.dataset.date = isoDate(s.year, m, d);
      c.number.textContent = day;
      c.term.textContent = term;
      showMoon(c.moon, Number(phase));
      const names = [holidayName || (holiday === "1" ? "祝日" : ""), term, phaseName].filter(Boolean);
      c.td.title = `${m}月${d}日${names.length ? ` ${names.join("・")}` : ""}`;
    }
  }

  // The words of a control's chosen option, as the page offers it.
  const optionText = (id, value) =>
    [...$(id).options].find((option) => option.value === value)?.textContent || "";

  function render(s) {
    shown = s;
    const year = s.view === "year";
    if (year) renderYear(s);
    else renderMonth(s);
    $("month-view").hidden = year;
    $("year-view").hidden = !year;
    document.documentElement.dataset.view = s.view;
    document.documentElement.dataset.mode = s.mode;
    const title = titleOf(s);
    const mode = MODE_NAMES[MODES.indexOf(s.mode)];
    $("title").textContent = title;
    $("signs").textContent = yearSigns(s).signs;
    $("choices").textContent = [year ? "" : mode, optionText("rule", s.rule),
      optionText("holidays", s.holidays)].filter(Boolean).join("・");
    $("caption").textContent = `${title}の暦（${mode}）`;
    document.title = year ? `${title} - 暦` : `${title} ${mode} - 暦`;
    $("year").value = String(s.year);
    $("month").value = String(s.month);
    $("mode").value = s.mode;
    $("rule").value = s.rule;
    $("holidays").value = s.holidays;
    $("place").value = s.place ?? DEFAULT_PLACE;
    $("view").setAttribute("aria-pressed", String(year));
    $("today").textContent = year ? "今年" : "今月";
    $("prev").setAttribute("aria-label", year ? "前の年" : "前の月");
    $("next").setAttribute("aria-label", year ? "次の年" : "次の月");
    const firstYear = calendar.firstYear(s.rule);
    $("year").min = String(firstYear);
    $("prev").disabled = s.year === firstYear && (year || s.month === 1);
    $("next").disabled = s.year === lastYear && (year || s.month === 12);
  }

  function setNotice(text) {
    const notice = $("notice");
    notice.textContent = text;
    notice.hidden = text === "";
  }

  // Re-lays the month when the stylesheet gives the cells room for a
  // different number of names (the window or the text size changed).
  function readNameLines() {
    const lines = Number(getComputedStyle(document.documentElement)
      .getPropertyValue("--name-lines")) || 2;
    if (lines === nameLines) return;
    nameLines = lines;
    if (shown && shown.view === "month") renderMonth(shown);
  }

  // --- the day's panel ---------------------------------------------------

  // `focus`: the reader chose the day, so the panel takes the focus.
  function showLore(day, focus = true) {
    if (!day) return;
    chosenDay = day;
    for (const cell of cells) cell.td.classList.toggle("chosen", cell.date === day);
    const lines = calendar.day(shown, day).split("\n").filter((line) => line !== "");
    const list = $("lore-items");
    list.replaceChildren();
    for (const line of lines) {
      const [label, value] = line.split("\t");
      list.append(element("dt", "", label), element("dd", "", value));
    }
    if (!lines.length) list.append(element("dd", "", "この日の暦はありません（暦の始まる前の日です）。"));
    history.replaceState(null, "", addressOf(shown, day));
    const column = cells.find((cell) => cell.date === day).column;
    $("lore-title").textContent = `${shown.year}年${shown.month}月${day}日（${WEEKDAYS[column]}）`;
    $("lore").hidden = false;
    // The panel lies below the grid: bring it into view and give it the
    // focus, which Escape or its button hands back to the day.
    if (focus) $("lore-title").focus();
    $("lore").dataset.date = isoDate(shown.year, shown.month, day);
  }

  function closeLore() {
    const day = chosenDay;
    chosenDay = 0;
    $("lore").hidden = true;
    history.replaceState(null, "", addressOf(shown));
    for (const cell of cells) cell.td.classList.remove("chosen");
    const cell = cells.find((c) => c.date === day);
    if (cell) cell.button.focus();
  }

  // --- navigation --------------------------------------------------------

  const sameChoices = (a, b) => a.year === b.year && a.month === b.month && a.mode === b.mode &&
    a.rule === b.rule && a.holidays === b.holidays && a.view === b.view;

  function go(s, how) {
    if (shown && sameChoices(s, shown)) return;
    const monthChanged = !shown || s.year !== shown.year || s.month !== shown.month ||
      s.view !== shown.view;
    if (monthChanged) {
      chosenDay = 0;
      $("lore").hidden = true;
    }
    setNotice("");
    if (how === "push") history.pushState(null, "", addressOf(s));
    render(s);
    if (!monthChanged && chosenDay) showLore(chosenDay, false);
  }

  // A step of the shown page: a month, or a year in the year view.
  function turn(step) {
    const months = shown.view === "year" ? 12 * step : step;
    let index = shown.year * 12 + (shown.month - 1) + months;
    index = Math.max(calendar.firstYear(shown.rule) * 12, Math.min(lastYear * 12 + 11, index));
    go({ ...shown, year: Math.floor(index / 12), month: (index % 12) + 1 }, "push");
  }

  function goThisMonth() {
    const { year, month } = thisMonth();
    const first = calendar.firstYear(shown.rule) * 12;
    const index = Math.max(first, Math.min(lastYear * 12 + 11, year * 12 + month - 1));
    go({ ...shown, year: Math.floor(index / 12), month: (index % 12) + 1 }, "push");
  }

  function fromAddress() {
    const { choices: { day, ...choices }, note } = choicesOf(location.search);
    const canonical = addressOf(choices);
    if (location.search !== "" && location.search !== canonical) {
      history.replaceState(null, "", canonical);
    }
    shown = null;
    chosenDay = 0;
    $("lore").hidden = true;
    render(choices);
    let notes = note;
    if (day && choices.view === "month") {
      if (cells.some((c) => c.date === day)) showLore(day, false);
      else notes = `${choices.year}年${choices.month}月に${day}日はありません。`;
    }
    setNotice(notes);
  }

  function fromControls() {
    const year = wholeNumber($("year").value);
    const firstYear = calendar.firstYear($("rule").value);
    const s = {
      year: Math.max(firstYear, Math.min(lastYear, year === null ? shown.year : year)),
      month: Number($("month").value),
      mode: $("mode").value,
      rule: $("rule").value,
      holidays: $("holidays").value,
      view: shown.view,
      place: shown.place,
    };
    go(s, "push");
    $("year").value = String(shown.year);
  }

  // The box that takes a 和暦 (as tenvo-term --day does) and shows its day.
  function goToWrittenDay() {
    const words = $("wareki").value.trim();
    if (!words) return;
    const read = calendar.readDate(shown, words);
    if (read.message !== undefined) {
      setNotice(read.message);
      return;
    }
    go({ ...shown, year: read.year, month: read.month, view: "month" }, "push");
    showLore(read.day);
  }

  // A place typed or chosen: the open day's times are shown for it and the
  // address keeps it; a text that names no place is said so.
  function fromPlace() {
    const words = $("place").value.trim() || DEFAULT_PLACE;
    const read = calendar.readPlace(words);
    if (read.message !== undefined) {
      setNotice(`場所「${words}」は選べません（都道府県庁所在地の名前か、緯度,経度）`);
      return;
    }
    setNotice("");
    shown = { ...shown, place: words };
    history.replaceState(null, "", addressOf(shown, chosenDay));
    if (chosenDay) showLore(chosenDay, false);
  }

  function downloadYear() {
    const stamp = Math.floor(Date.now() / 1000);
    const text = calendar.yearCalendar(shown, stamp);
    if (text === "") {
      setNotice(`${MODE_NAMES[MODES.indexOf(shown.mode)]}の iCalendar ファイルはありません。`);
      return;
    }
    const blob = new Blob([text], { type: "text/calendar;charset=utf-8" });
    const link = document.createElement("a");
    link.href = URL.createObjectURL(blob);
    link.download = `${shown.mode}-${shown.year}.ics`;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 1000);
  }

  function isFormField(target) {
    return target instanceof HTMLInputElement || target instanceof HTMLSelectElement ||
      target instanceof HTMLTextAreaElement;
  }

  function onKey(event) {
    if (event.altKey || event.ctrlKey || event.metaKey) return;
    if (event.key === "Escape" && !$("lore").hidden) {
      closeLore();
      event.preventDefault();
      return;
    }
    if (isFormField(event.target)) return;
    const steps = { ArrowLeft: -1, PageUp: -1, ArrowRight: 1, PageDown: 1 };
    if (event.key in steps) {
      turn(steps[event.key]);
      event.preventDefault();
    } else if (event.key === "Home") {
      goThisMonth();
      event.preventDefault();
    }
  }

  function wireEvents() {
    $("prev").addEventListener("click", () => turn(-1));
    $("next").addEventListener("click", () => turn(1));
    $("today").addEventListener("click", goThisMonth);
    $("view").addEventListener("click",
      () => go({ ...shown, view: shown.view === "year" ? "month" : "year" }, "push"));
    $("print").addEventListener("click", () => window.print());
    $("ics").addEventListener("click", downloadYear);
    $("lore-close").addEventListener("click", closeLore);
    for (const id of ["month", "mode", "rule", "holidays", "year"]) {
      $(id).addEventListener("change", fromControls);
    }
    $("controls").addEventListener("submit", (event) => {
      event.preventDefault();
      fromControls();
    });
    $("place").addEventListener("change", fromPlace);
    $("place-form").addEventListener("submit", (event) => {
      event.preventDefault();
      fromPlace();
    });
    $("goto").addEventListener("submit", (event) => {
      event.preventDefault();
      goToWrittenDay();
    });
    document.addEventListener("keydown", onKey);
    window.addEventListener("popstate", fromAddress);
    window.addEventListener("resize", readNameLines);

    // The wheel turns one page per WHEEL_STEP of travel, towards you the next.
    let wheelTravel = 0;
    $("grid").addEventListener("wheel", (event) => {
      event.preventDefault();
      const unit = event.deltaMode === 1 ? 20 : event.deltaMode === 2 ? 400 : 1;
      wheelTravel += event.deltaY * unit;
      while (Math.abs(wheelTravel) >= WHEEL_STEP) {
        const step = Math.sign(wheelTravel);
        wheelTravel -= step * WHEEL_STEP;
        turn(step);
      }
    }, { passive: false });

    // A horizontal swipe: towards the left the next month.
    let touchStart = null;
    $("grid").addEventListener("touchstart", (event) => {
      const t = event.changedTouches[0];
      touchStart = { x: t.clientX, y: t.clientY };
    }, { passive: true });
    $("grid").addEventListener("touchend", (event) => {
      if (!touchStart) return;
      const t = event.changedTouches[0];
      const dx = t.clientX - touchStart.x;
      const dy = t.clientY - touchStart.y;
      touchStart = null;
      if (Math.abs(dx) >= SWIPE_MIN && Math.abs(dx) > 2 * Math.abs(dy)) turn(dx < 0 ? 1 : -1);
    }, { passive: true });
  }

  function start(module) {
    calendar = loadCalendar(module);
    lastYear = calendar.lastYear;
    const monthSelect = $("month");
    for (let m = 1; m <= 12; ++m) monthSelect.add(new Option(`${m}月`, String(m)));
    $("year").max = String(lastYear);
    $("places").replaceChildren(...calendar.places().map((name) => new Option(name)));
    buildGrid();
    wireEvents();
    nameLines = 0;
    readNameLines();
    fromAddress();
    document.documentElement.dataset.ready = "1";
    performance.mark("calendar-first-render");
  }

  // After one visit the page opens with no network: its worker keeps every
  // file of the folder.
  if ("serviceWorker" in navigator && location.protocol !== "file:") {
    navigator.serviceWorker.register("sw.js").catch(() => {});
  }

  createCalendarModule().then(start, (error) => {
    setNotice("暦を読み込めませんでした。");
    throw error;
  });
})();
