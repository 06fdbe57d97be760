// The page's script: reads the choices from the address, asks the calendar
// module for the month and draws it, turns the page, shows a day's items and
// offers the year's iCalendar file. Every calendar answer comes from the
// module; this script only lays them out.
(() => {
  "use strict";

  // The address's values in the order of the module's mode codes: a new mode
  // only ever comes last, so that every old link shows what it showed.
  const MODES = ["rokuyo", "kyusei", "27", "28", "kanshi", "sekki", "almanac", "choku"];
  const MODE_NAMES = ["六曜", "九星", "二十七宿", "二十八宿", "干支", "二十四節気", "暦注", "十二直"];
  const RULES = ["terms", "solstice"];
  const HOLIDAYS = ["fixed", "law"];
  const WEEKDAYS = ["日", "月", "火", "水", "木", "金", "土"];
  const WHEEL_STEP = 100; // pixels of wheel travel per page turn: one notch
  const SWIPE_MIN = 50; // pixels a horizontal swipe must travel

  const $ = (id) => document.getElementById(id);
  let calendar = null; // the module's functions once loaded
  let firstYear = 1870;
  let lastYear = 2100;
  let shown = null; // {year, month, mode, rule, holidays}
  let chosenDay = 0;
  let cells = []; // 42 {td, button, day, item}

  // --- the module --------------------------------------------------------

  function loadCalendar(module) {
    const text = (ptr) => module.UTF8ToString(ptr);
    return {
      firstYear: module._web_first_year(),
      lastYear: module._web_last_year(),
      month: (s) =>
        text(module._web_month(s.year, s.month, MODES.indexOf(s.mode),
          s.rule === "solstice" ? 1 : 0, s.holidays === "law" ? 1 : 0)),
      era: (s) => text(module._web_month_era(s.year, s.month)),
      day: (s, day) =>
        text(module._web_day(s.year, s.month, day, s.rule === "solstice" ? 1 : 0)),
      yearCalendar: (s, stamp) =>
        text(module._web_year_calendar(s.year, MODES.indexOf(s.mode),
          s.rule === "solstice" ? 1 : 0, s.holidays === "law" ? 1 : 0, stamp)),
    };
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
    const pick = (name, values, label) => {
      const value = params.get(name);
      if (value === null) return values[0];
      if (values.includes(value)) return value;
      notes.push(`${label}「${value}」は選べません`);
      return values[0];
    };
    const mode = pick("mode", MODES, "暦注");
    const rule = pick("rule", RULES, "月の数え方");
    const holidays = pick("holidays", HOLIDAYS, "祝日");
    const choices = { year, month, mode, rule, holidays };
    const note = notes.length
      ? `${notes.join("、")}。${year}年${month}月（${MODE_NAMES[MODES.indexOf(mode)]}）を表示しています。`
      : "";
    return { choices, note };
  }

  function addressOf(s) {
    const params = new URLSearchParams({
      year: String(s.year),
      month: String(s.month),
      mode: s.mode,
      rule: s.rule,
      holidays: s.holidays,
    });
    return `?${params}`;
  }

  // --- drawing -----------------------------------------------------------

  const isoDate = (year, month, day) => `${String(year).padStart(4, "0")}-` +
    `${String(month).padStart(2, "0")}-${String(day).padStart(2, "0")}`;

  function buildGrid() {
    const body = $("weeks");
    for (let row = 0; row < 6; ++row) {
      const tr = document.createElement("tr");
      for (let column = 0; column < 7; ++column) {
        const td = document.createElement("td");
        const button = document.createElement("button");
        button.type = "button";
        const day = document.createElement("span");
        day.className = "day";
        day.setAttribute("aria-hidden", "true");
        const item = document.createElement("span");
        item.className = "item";
        item.setAttribute("aria-hidden", "true");
        button.append(day, item);
        td.append(button);
        tr.append(td);
        const cell = { td, button, day, item, date: 0, column };
        button.addEventListener("click", () => showLore(cell.date));
        cells.push(cell);
      }
      body.append(tr);
    }
  }

  function titleOf(s) {
    const era = calendar.era(s);
    return era ? `${s.year}年（${era}）${s.month}月` : `${s.year}年${s.month}月`;
  }

  function render(s) {
    shown = s;
    const today = new Date();
    const isThisMonth = today.getFullYear() === s.year && today.getMonth() + 1 === s.month;
    const lines = calendar.month(s).split("\n");
    for (let i = 0; i < cells.length; ++i) {
      const cell = cells[i];
      const [day, colour, holiday, item, holidayName] = (lines[i] || "0\t0\t0\t\t").split("\t");
      const d = Number(day);
      cell.date = d;
      const td = cell.td;
      let className = colour === "0" ? "red" : colour === "6" ? "blue" : "";
      if (d === 0) {
        td.className = "empty";
        td.removeAttribute("data-date");
        cell.day.textContent = "";
        cell.item.textContent = "";
        cell.button.hidden = true;
        continue;
      }
      if (holiday === "1") className += " holiday";
      if (isThisMonth && d === today.getDate()) className += " today";
      if (d === chosenDay) className += " chosen";
      td.className = className.trim();
      td.dataset.date = isoDate(s.year, s.month, d);
      if (isThisMonth && d === today.getDate()) td.setAttribute("aria-current", "date");
      else td.removeAttribute("aria-current");
      cell.day.textContent = day;
      cell.item.textContent = item;
      cell.button.hidden = false;
      const parts = [`${s.year}年${s.month}月${d}日 ${WEEKDAYS[cell.column]}曜日`];
      if (item) parts.push(item);
      if (holidayName) parts.push(holidayName);
      else if (holiday === "1") parts.push("祝日");
      cell.button.setAttribute("aria-label", parts.join("、"));
      cell.button.title = holidayName || "";
    }
    const title = titleOf(s);
    $("title").textContent = title;
    $("caption").textContent = `${title}の暦（${MODE_NAMES[MODES.indexOf(s.mode)]}）`;
    document.title = `${title} ${MODE_NAMES[MODES.indexOf(s.mode)]} - 暦`;
    $("year").value = String(s.year);
    $("month").value = String(s.month);
    $("mode").value = s.mode;
    $("rule").value = s.rule;
    $("holidays").value = s.holidays;
    $("prev").disabled = s.year === firstYear && s.month === 1;
    $("next").disabled = s.year === lastYear && s.month === 12;
  }

  function setNotice(text) {
    const notice = $("notice");
    notice.textContent = text;
    notice.hidden = text === "";
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
      const dt = document.createElement("dt");
      dt.textContent = label;
      const dd = document.createElement("dd");
      dd.textContent = value;
      list.append(dt, dd);
    }
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
    for (const cell of cells) cell.td.classList.remove("chosen");
    const cell = cells.find((c) => c.date === day);
    if (cell) cell.button.focus();
  }

  // --- navigation --------------------------------------------------------

  function go(s, how) {
    if (shown && s.year === shown.year && s.month === shown.month && s.mode === shown.mode &&
        s.rule === shown.rule && s.holidays === shown.holidays) return;
    const monthChanged = !shown || s.year !== shown.year || s.month !== shown.month;
    if (monthChanged) {
      chosenDay = 0;
      $("lore").hidden = true;
    }
    setNotice("");
    if (how === "push") history.pushState(null, "", addressOf(s));
    render(s);
    if (!monthChanged && chosenDay) showLore(chosenDay, false);
  }

  function turn(step) {
    let index = shown.year * 12 + (shown.month - 1) + step;
    index = Math.max(firstYear * 12, Math.min(lastYear * 12 + 11, index));
    go({ ...shown, year: Math.floor(index / 12), month: (index % 12) + 1 }, "push");
  }

  function goThisMonth() {
    const { year, month } = thisMonth();
    const index = Math.max(firstYear * 12, Math.min(lastYear * 12 + 11, year * 12 + month - 1));
    go({ ...shown, year: Math.floor(index / 12), month: (index % 12) + 1 }, "push");
  }

  function fromAddress() {
    const { choices, note } = choicesOf(location.search);
    const canonical = addressOf(choices);
    if (location.search !== "" && location.search !== canonical) {
      history.replaceState(null, "", canonical);
    }
    shown = null;
    chosenDay = 0;
    $("lore").hidden = true;
    render(choices);
    setNotice(note);
  }

  function fromControls() {
    const year = wholeNumber($("year").value);
    const s = {
      year: year === null ? shown.year : Math.max(firstYear, Math.min(lastYear, year)),
      month: Number($("month").value),
      mode: $("mode").value,
      rule: $("rule").value,
      holidays: $("holidays").value,
    };
    go(s, "push");
    $("year").value = String(shown.year);
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
    $("ics").addEventListener("click", downloadYear);
    $("lore-close").addEventListener("click", closeLore);
    for (const id of ["month", "mode", "rule", "holidays", "year"]) {
      $(id).addEventListener("change", fromControls);
    }
    $("controls").addEventListener("submit", (event) => {
      event.preventDefault();
      fromControls();
    });
    document.addEventListener("keydown", onKey);
    window.addEventListener("popstate", fromAddress);

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
    firstYear = calendar.firstYear;
    lastYear = calendar.lastYear;
    const monthSelect = $("month");
    for (let m = 1; m <= 12; ++m) monthSelect.add(new Option(`${m}月`, String(m)));
    $("year").min = String(firstYear);
    $("year").max = String(lastYear);
    buildGrid();
    wireEvents();
    fromAddress();
    document.documentElement.dataset.ready = "1";
    performance.mark("calendar-first-render");
  }

  createCalendarModule().then(start, (error) => {
    setNotice("暦を読み込めませんでした。");
    throw error;
  });
})();
