// What a day cell of the page must hold, read from the day's lore lines
// alone ("label<TAB>value", as web_day and web_sheet_walk lore give them):
// shared by the module walk and the browser's views test.
export const PHASES = ["新月", "上弦", "満月", "下弦"];

// Lore lines to { label: [values] }.
export function loreRecord(lines) {
  const record = {};
  for (const line of lines) {
    if (line === "") continue;
    const [label, value] = line.split("\t");
    (record[label] ??= []).push(value);
  }
  return record;
}

// The lunisolar date, the phase and the names of a day: the holiday (by
// law, or 祝日 where `fixedHoliday` says the fixed table marks the day), the
// term and the seasonal days in `names` ("kind:name"), and the selected days
// one of which the cell names.
export function expectedCell(lore, holidays, fixedHoliday) {
  // As published the date ends with its month's length: "（大）", "（小）".
  const lunar = /年(閏?)(\d+)月(\d+)日(?:（[^）]+）)?$/.exec(lore["旧暦"]?.[0] || "");
  const names = [];
  if (holidays === "law" && lore["祝日"]) names.push(`holiday-name:${lore["祝日"][0]}`);
  if (holidays === "fixed" && fixedHoliday) names.push("holiday-name:祝日");
  for (const term of lore["二十四節気"] || []) names.push(`term:${term}`);
  for (const day of lore["雑節"] || []) names.push(`seasonal:${day}`);
  return {
    leap: lunar ? lunar[1] === "閏" : false,
    lunarMonth: lunar ? Number(lunar[2]) : 0,
    lunarDay: lunar ? Number(lunar[3]) : 0,
    lunarText: lunar ? `旧暦${lunar[1]}${lunar[2]}月${lunar[3]}日` : null,
    phase: lore["月相"] ? PHASES.indexOf(lore["月相"][0]) : -1,
    term: lore["二十四節気"]?.[0] || "",
    names,
    selected: lore["暦注"] || [],
  };
}
