// 和暦: a day as its era and year wrote it, both ways. From a day to its
// era date in each court (warekiOfDay) and to that date's text; from a text
// (an era date, or an ISO date of either calendar) back to the day
// (EraTable::readDate). Platform-free: the terminal, the web page and the
// bindings read and write dates through here, over the library's era table
// (ad2gengo, ad2gennen, gen2name, gen2first, gen2last) and its published
// lunisolar calendar (adto9rekH, kyu2ad, kyu2days).
//
// How eras count (docs/history.md):
// - The era in force on a day is the library's (ad2gengo). From 1331 to
//   1392 the southern and the northern court each kept their own eras.
// - Year 1 (元年) of an era is the year of its first start in either court;
//   a restated era (the northern 元弘 of 1333) goes on counting from there.
// - Before 1873 era years are lunisolar years and the month and day are
//   the lunisolar ones; from 1873 the year, month and day are Gregorian.
// - Before 1873 a new era also covers the days of its year before its
//   proclamation, by custom: 明治元年1月3日 is the day the era in force
//   called 慶応4年1月3日. Both texts name that day; warekiOfDay writes the
//   era in force.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "civil_days.h"
#include "library_binding.h"

namespace tenvo {

// The days the historical calendar covers: from its first day, month 1 day
// 1 of 445 (0445-01-25 in the proleptic Gregorian calendar, 445-01-24
// Julian), to 2100-12-31.
inline constexpr CivilDate kHistoryFirstDay{445, 1, 25};
inline constexpr CivilDate kHistoryLastDay{2100, 12, 31};
// The first day of the Gregorian calendar; the days before it were written
// in the Julian calendar.
inline constexpr CivilDate kGregorianFirstDay{1582, 10, 15};
// The first year Japan counted in the Gregorian calendar (1873-01-01 was
// 明治6年1月1日, the day after 明治5年12月2日).
inline constexpr int32_t kGregorianEraYear = 1873;

// Whether `date` is a Gregorian date of kHistoryFirstDay .. kHistoryLastDay.
bool isHistoryDay(const CivilDate& date);

// The courts, as the library numbers them.
enum class Court : int32_t { South = VRN_SOUTH, North = VRN_NORTH };

// A day as one court's era wrote it.
struct WarekiDate {
    int32_t era = -1;   // row of the era table, 0 允恭天皇 .. 274 令和; -1 none
    int32_t year = 0;   // the era's year, 1 for 元年
    int32_t month = 0;  // lunisolar before 1873, Gregorian from 1873
    bool leap = false;  // a leap month (閏月), only before 1873
    int32_t day = 0;
    friend constexpr bool operator==(const WarekiDate&, const WarekiDate&) = default;
};

// A day in both courts: the same date twice outside 1331..1392.
struct DayWareki {
    WarekiDate south;
    WarekiDate north;
    // The courts wrote the day differently (different eras or years). Where
    // both used one era (建武 in 1334) the day has one text.
    bool twoCourts() const {
        return south.era >= 0 && north.era >= 0 &&
               (south.year != north.year || south.era != north.era);
    }
};

// The era dates of a Gregorian day of kHistoryFirstDay .. kHistoryLastDay
// (eras -1 for any other date).
DayWareki warekiOfDay(const LibraryBinding& library, const CivilDate& date);

// "天正10年6月2日": the era's name, the year (元 for 1), 年, 閏 before a leap
// month's number, the month, 月, the day, 日; digits half-width. Shift-JIS,
// "" for an era of -1.
std::string warekiTextShiftJis(const LibraryBinding& library, const WarekiDate& date);

// The day's text: one date, or where the courts differ both, the southern
// first, each followed by its court and separated by one full-width space:
// "元弘2年4月28日（南朝）　正慶元年4月28日（北朝）". Shift-JIS.
std::string dayWarekiShiftJis(const LibraryBinding& library, const DayWareki& date);

// What went wrong in reading a date.
enum class DateTextError : int32_t {
    None = 0,
    NotADate,        // neither YYYY-MM-DD nor an era date
    NoSuchCivilDay,  // YYYY-MM-DD that the calendar has not (1582-02-30)
    OutOfSpan,       // before 445-01-24 (Julian) or after 2100-12-31
    UnknownEra,      // no era or reign of that name
    NoSuchYear,      // year 0, or past the era's last year (天正21年)
    NoSuchMonth,     // a month outside 1..12, or a leap month the year lacks
    NoSuchDay,       // a day the month lacks (慶長5年1月30日)
    EraNotInForce,   // a day the era did not name (大正元年1月1日, before 大正)
    JulianEraDate,   // an era date where a Julian ISO date was asked for
};

// Which calendar a YYYY-MM-DD text is read in.
enum class IsoCalendar : int32_t { Gregorian = 0, Julian = 1 };

struct DateReading {
    DateTextError error = DateTextError::None;
    CivilDate date{};     // the Gregorian day, when error is None
    std::string message;  // UTF-8: what is wrong and what would be valid; "" for None
};

// The era table as text: every name in UTF-8, converted once, and how the
// names' years run. Building one converts 275 names; keep it for the
// readings and writings that follow. It keeps a copy of the binding.
class EraTable {
  public:
    explicit EraTable(const LibraryBinding& library);

    // The name of an era table row in UTF-8, "" outside the table.
    std::string_view nameUtf8(int32_t era) const;

    // warekiTextShiftJis and dayWarekiShiftJis in UTF-8.
    std::string warekiTextUtf8(const WarekiDate& date) const;
    std::string dayWarekiUtf8(const DayWareki& date) const;

    // Reads a day, UTF-8: "YYYY-MM-DD" in `calendar`, or an era date:
    //   ERA YEAR 年 [閏] MONTH 月 DAY 日 [（南朝） | （北朝）]
    // ERA an era or a reign (天正, 推古天皇) of either court; YEAR 元 or a
    // number; numbers in digits (half- or full-width) or kanji numerals
    // (〇一二三四五六七八九 positionally, or with 十 廿 卅 百: 二十三, 廿三).
    // Before 1873 month and day are lunisolar (閏 for a leap month), from
    // 1873 Gregorian. The era must be the one its court used on that day,
    // or, before 1873, be proclaimed later in the same lunisolar year. The
    // day must lie within kHistoryFirstDay .. kHistoryLastDay.
    DateReading readDate(std::string_view text, IsoCalendar calendar) const;

  private:
    struct Name {
        std::string utf8;
        int32_t firstRow = 0;   // the row of its first start
        int32_t firstYear = 0;  // the year of 元年 (gen2first)
        int32_t lastYear = 0;   // its last year in force in any court (gen2last)
        int32_t firstLine = 0;  // the court of its first start (gen2line)
    };
    DateReading readIsoDate(std::string_view text, IsoCalendar calendar) const;
    DateReading readEraDate(std::string_view text) const;
    const Name* nameAtStart(std::string_view text) const;

    LibraryBinding library_;
    std::vector<std::string> rowNames_;     // UTF-8 by row
    std::vector<int32_t> nameOfRow_;        // index into names_ by row
    std::vector<Name> names_;               // one per distinct name, in row order
    std::vector<int32_t> namesByText_;      // indices into names_, sorted by utf8
    std::vector<std::size_t> nameLengths_;  // the distinct byte lengths, longest first
};

}  // namespace tenvo
