/*
 * vorane2: the traditional Japanese calendar as a library of pure functions.
 *
 * Every export is a stateless function with C linkage, exported by name and
 * by a fixed ordinal (lib/export_table.txt). On 32-bit Windows the exports
 * use the stdcall convention; elsewhere the platform's default.
 *
 * Dates enter as a Gregorian (before 1582-10-15: Julian) local date and
 * clock time together with the east longitude of the clock's meridian;
 * Japan standard time is longitude 135.0. Julian days are Universal Time of
 * longitude 0; no dynamical-time correction is applied anywhere.
 *
 * All text is Shift-JIS (code page 932). Name functions return pointers to
 * constant NUL-terminated strings owned by the library, or a null pointer
 * for an index outside their table.
 *
 * Doubles that cannot be represented as a 32-bit integer (NaN, infinities,
 * values beyond +-2^31) are never converted with undefined behaviour: an
 * integer result computed from such a value saturates at INT32_MIN or
 * INT32_MAX, and NaN gives 0.
 */
#ifndef VORANE2_H
#define VORANE2_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define VRN_CALL __stdcall
#else
#define VRN_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* A local civil date and clock time with the meridian its clock keeps.
 * 48 bytes: the four bytes after `day` hold no field. */
typedef struct CalendarDate {
    int32_t year;  /* astronomical numbering: 0 is 1 BC, -1 is 2 BC */
    int32_t month; /* 1..12 */
    int32_t day;   /* 1..31; out-of-range days run on linearly */
    double hour;   /* fractions allowed */
    double minute;
    double second;
    double longitude; /* east longitude of the clock's meridian, degrees */
} CalendarDate;

/* A date of the lunisolar calendar. 24 bytes. */
typedef struct LunisolarDate {
    char leap;        /* 'Y' in a leap month, 'N' otherwise (4-byte slot) */
    int32_t year;     /* lunisolar year */
    int32_t month;    /* 1..12 */
    int32_t day;      /* 1..30 */
    double longitude; /* copied from the argument */
} LunisolarDate;

/* The rising, transit and setting of the Sun or the Moon on one local day
 * (ad2hinode, ad2tukide, ad2tukideU). 24 bytes. */
typedef struct RiseSetTimes {
    int32_t rise;    /* seconds after the local midnight, 0..86399 */
    int32_t transit; /* (VRN_NO_EVENT when the day has none) */
    int32_t set;
    int32_t above;   /* 1 when the body is above the horizon at 00:00, else 0 */
                     /* (every integer field VRN_RISE_SET_ERROR for bad input) */
    double altitude; /* at the transit, degrees; -999.0 when the day has none */
} RiseSetTimes;

#if defined(__cplusplus)
static_assert(sizeof(CalendarDate) == 48, "CalendarDate is 48 bytes");
static_assert(offsetof(CalendarDate, day) == 8, "day at 8");
static_assert(offsetof(CalendarDate, hour) == 16, "hour at 16");
static_assert(offsetof(CalendarDate, longitude) == 40, "longitude at 40");
static_assert(sizeof(LunisolarDate) == 24, "LunisolarDate is 24 bytes");
static_assert(offsetof(LunisolarDate, year) == 4, "year at 4");
static_assert(offsetof(LunisolarDate, day) == 12, "day at 12");
static_assert(offsetof(LunisolarDate, longitude) == 16, "longitude at 16");
static_assert(sizeof(RiseSetTimes) == 24, "RiseSetTimes is 24 bytes");
static_assert(offsetof(RiseSetTimes, altitude) == 16, "altitude at 16");
#elif defined(__STDC_VERSION__) && __STDC_VERSION__ >= 201112L
_Static_assert(sizeof(CalendarDate) == 48, "CalendarDate is 48 bytes");
_Static_assert(offsetof(CalendarDate, hour) == 16, "hour at 16");
_Static_assert(sizeof(LunisolarDate) == 24, "LunisolarDate is 24 bytes");
_Static_assert(offsetof(LunisolarDate, longitude) == 16, "longitude at 16");
_Static_assert(sizeof(RiseSetTimes) == 24, "RiseSetTimes is 24 bytes");
#endif

/* ---- Dates and day numbers ------------------------------------------- */

/* Year BC to astronomical year: 1 - year (1 BC is 0). Wraps like unsigned
 * arithmetic at the ends of the 32-bit range instead of overflowing. */
int32_t VRN_CALL bc2ad(int32_t year_bc);

/* Julian day (UT) of a local date and clock time. Dates from 1582-09-25 on
 * are Gregorian, earlier ones Julian. Days, months and clock fields outside
 * their usual range run on linearly (day 0 is the last of the month before). */
double VRN_CALL ad2jd(CalendarDate date);

/* The local date and clock time of a Julian day on the clock of the meridian
 * `longitude`. Clock fields are whole numbers, truncated, never rounded.
 * Meant for Julian days >= 0. For a NaN or infinite day, or one whose date
 * falls outside the 32-bit year range, the integer fields saturate (NaN: 0). */
CalendarDate VRN_CALL jd2ad(double jd, double longitude);

/* Modified Julian day: jd - 2400000.5. */
double VRN_CALL jd2mjd(double jd);

/* Radians to degrees in [0, 360] (a product of exactly 360 stays 360).
 * NaN and infinities give NaN. */
double VRN_CALL rad2do(double radians);

/* Degrees to radians (factor 1/57.2957795), not reduced. */
double VRN_CALL do2rad(double degrees);

/* Sine and cosine of an angle in degrees; any finite argument is reduced
 * into one turn first. NaN and infinities give NaN. The library computes
 * the sine and cosine itself (within one unit in the last place of the
 * correctly rounded value), so that every platform gives the same doubles. */
double VRN_CALL fns(double degrees);
double VRN_CALL fnc(double degrees);

/* Weekday of the calendar date (0 Sunday .. 6 Saturday); the clock time and
 * longitude are ignored. Dates with a negative Julian day give -5..1 (the
 * remainder keeps the sign of the day). */
int32_t VRN_CALL ad2youbi(CalendarDate date);

/* One-character weekday name ("日" .. "土"); null outside 0..6. */
const char* VRN_CALL yno2name(int32_t weekday);

/* The library's version, "1.0". */
const char* VRN_CALL VRNVER(void);

/* ---- Sun and Moon ------------------------------------------------------ */

/* Apparent ecliptic longitude of the Sun / the Moon in degrees, [0, 360),
 * from truncated trigonometric series; the argument is used as the time
 * variable directly. NaN and infinities give NaN. */
double VRN_CALL jd2sok(double jd);
double VRN_CALL jd2mok(double jd);

/* ---- Solar terms ------------------------------------------------------- */

/* Day of the month on which a solar term falls in `year`, for local days at
 * the meridian `longitude`. Each export tests the local midnights of two or
 * three fixed days of a fixed month and clamps its answer to that window:
 * a term after the last tested day is reported on the last tested day. */
int32_t VRN_CALL y2risyun(int32_t year, double longitude); /* 立春 Feb 3..5 */
int32_t VRN_CALL y2usui(int32_t year, double longitude);   /* 雨水 Feb 17..20 */
int32_t VRN_CALL y2ktitu(int32_t year, double longitude);  /* 啓蟄 Mar 4..6 */
int32_t VRN_CALL y2syunbn(int32_t year, double longitude); /* 春分 Mar 19..21 */
int32_t VRN_CALL y2seimei(int32_t year, double longitude); /* 清明 Apr 3..5 */
int32_t VRN_CALL y2kokuu(int32_t year, double longitude);  /* 穀雨 Apr 19..21 */
int32_t VRN_CALL y2rikka(int32_t year, double longitude);  /* 立夏 May 4..6 */
int32_t VRN_CALL y2syoman(int32_t year, double longitude); /* 小満 May 19..21 */
int32_t VRN_CALL y2bousyu(int32_t year, double longitude); /* 芒種 Jun 4..6 */
int32_t VRN_CALL y2gesi(int32_t year, double longitude);   /* 夏至 Jun 20..22 */
int32_t VRN_CALL y2syusyo(int32_t year, double longitude); /* 小暑 Jul 5..8 */
int32_t VRN_CALL y2taisyo(int32_t year, double longitude); /* 大暑 Jul 21..24 */
int32_t VRN_CALL y2risyuu(int32_t year, double longitude); /* 立秋 Aug 6..8 */
int32_t VRN_CALL y2syosyo(int32_t year, double longitude); /* 処暑 Aug 21..24 */
int32_t VRN_CALL y2hakuro(int32_t year, double longitude); /* 白露 Sep 6..8 */
int32_t VRN_CALL y2syuubn(int32_t year, double longitude); /* 秋分 Sep 21..24 */
int32_t VRN_CALL y2kanro(int32_t year, double longitude);  /* 寒露 Oct 6..9 */
int32_t VRN_CALL y2soukou(int32_t year, double longitude); /* 霜降 Oct 22..25 */
int32_t VRN_CALL y2rittou(int32_t year, double longitude); /* 立冬 Nov 6..8 */
int32_t VRN_CALL y2syostu(int32_t year, double longitude); /* 小雪 Nov 21..23 */
int32_t VRN_CALL y2taistu(int32_t year, double longitude); /* 大雪 Dec 5..8 */
int32_t VRN_CALL y2touji(int32_t year, double longitude);  /* 冬至 Dec 20..23 */
int32_t VRN_CALL y2syokan(int32_t year, double longitude); /* 小寒 Jan 4..6 */
int32_t VRN_CALL y2taikan(int32_t year, double longitude); /* 大寒 Jan 19..21 */

/* Whole days since the sectional term (節) that opened the solar month of
 * the date (0 on the term's day). A month outside 1..12 gives 0. */
int32_t VRN_CALL ad2setu(CalendarDate date);

/* ---- New-moon search --------------------------------------------------- */

/* The next / the previous new-moon day from a new-moon day. Only year,
 * month, day and longitude of the argument are read (the clock time is
 * ignored). ad2saku samples the local days argument+28 .. +31, ad2sakur the
 * days argument-31 .. -28, and returns the day whose boundary sample has the
 * least Sun-Moon separation, with that sample's clock time (00:00:00, or
 * 23:59:59/23:59:58 for an end-of-day sample) and the argument's longitude.
 * For a date that is not a new-moon day the result is still one of those
 * four days. The days 1884-04-25 and 1908-09-26 are reported as 1884-04-26
 * and 1908-09-25 (conjunctions within minutes of midnight). A day boundary
 * always names the day it begins: where the sum of a midnight and whole
 * days rounds a hair early (at 33.3 degrees east, for one), the window and
 * a start-of-day result are still the intended days, not 23:59:59 of the
 * day before. Any argument
 * gives a defined block; meaningful for years within a few centuries of
 * 2000. */
CalendarDate VRN_CALL ad2saku(CalendarDate date);
CalendarDate VRN_CALL ad2sakur(CalendarDate date);

/* The instant, on an hourly grid, of least raw Sun-Moon separation
 * |Sun - Moon| (not folded, so within an hour or so of a conjunction near
 * longitude 0 the samples on either side of the wrap are passed over).
 * jd2saku scans forward from jd: 31 daily samples jd, jd+1, ..., then 49
 * hourly samples over the 48 hours centred on the best day. jd2sakur scans
 * backward the same way. jd2saku2 / jd2sak2r start 27 days after / before
 * jd and take only 6 daily samples: from one new moon they reach the next /
 * the previous. Any jd gives a value (NaN gives NaN); meaningful for Julian
 * days within a few centuries of 2000. */
double VRN_CALL jd2saku(double jd);
double VRN_CALL jd2saku2(double jd);
double VRN_CALL jd2sakur(double jd);
double VRN_CALL jd2sak2r(double jd);

/* ---- New-moon day tables ----------------------------------------------- */

/* The new-moon day of a Gregorian month estimated from mean lunations and
 * refined by sampling the Sun-Moon separation at the day boundaries of the
 * four days from two days before the estimate, at the meridian of the
 * argument's longitude. Reads year, month and longitude only. Valid for
 * years 1600..2199 and months 1..12; the result is the sampled day with its
 * sample's clock time and the argument's longitude. It can lie in the next
 * month (a month whose only new moon is on its first day), and in a month
 * with two new moons it is the one the estimate lands near.
 * Outside the valid years or months: year, month and day -999, the other
 * fields 0. */
CalendarDate VRN_CALL duncan(CalendarDate date);

/* The stored day (UTC+9) of the first / the second new moon of a Gregorian
 * month. Reads year and month only. Valid for years 1870..2020 and months
 * 1..12: the result is year, month and day. When the month has no such new
 * moon (duncan2: a February without one; duncan3: every month without a
 * second) the result is 9999, 99, 99. Outside the valid years or months it
 * is -999, -999, -999. Hour, minute, second and longitude are always 0. */
CalendarDate VRN_CALL duncan2(CalendarDate date);
CalendarDate VRN_CALL duncan3(CalendarDate date);

/* ---- Lunisolar date ---------------------------------------------------- */

/* The date of the traditional lunisolar calendar (local days of UTC+9) for
 * the calendar date year-month-day of the argument: leap 'Y' in a leap
 * month else 'N', lunisolar year, month 1..12, day 1..30, and the
 * argument's longitude copied unchanged. The clock time and the longitude
 * do not enter the computation. A day or month outside its usual range runs
 * on linearly as in ad2jd (2000-01-40 is 2000-02-09, month 13 is January of
 * the next year). Valid from 1870-02-01 to 2020-12-14, the dates whose lunar
 * month and its neighbours begin on stored new moons; for any other date
 * the result is leap 'N' and year, month and day -999 (with the longitude
 * copied). The same -999 result would be given for a lunar month that no
 * numbering rule fits; the stored new moons produce none.
 *
 * The year is the Gregorian year of the date, less one when months 11 and
 * 12 reach into January or February; it is taken from the month's first
 * day, so it never turns inside a month (this matters only for the leap
 * month 11 of 1871-01-21, whose February days stay in 1870).
 * The new moons of the date's month, the two before and the one after
 * decide almost every date; on the nine late-January dates whose four
 * months hold no later new moon (1889-01-31, 1900-01-31, 1911-01-30,
 * 1911-01-31, 1938-01-31, 1957-01-31, 1976-01-31, 1995-01-31, 2014-01-31,
 * years whose February has none) the next month's new moons are read too. */
LunisolarDate VRN_CALL adto9rek(CalendarDate date);

/* adto9rek over all the stored new moons: the same rules and the same
 * result for every date that adto9rek answers, and beyond it up to the day
 * before the last stored new moon of 2100 (2100-12-31). Valid from
 * 1870-02-01 to 2100-12-30; for any other date the result is leap 'N' and
 * year, month and day -999 (with the longitude copied), as from adto9rek.
 * The lunisolar year is that of the month's first day, so it never turns
 * inside a month (months 11 and 12 that begin in January or February count
 * with the year before).
 *
 * 2033/34. Every month is named by the first principal term it holds and a
 * month without one is a leap month of the number before; nothing limits
 * a year to one leap month. In 2033/34 months with two terms and months
 * with none lie close together, with 冬至 (2033-12-21, about an hour before
 * midnight) and 雨水 (2034-02-18, about half an hour before midnight) just
 * before a new-moon day. The conversion gives:
 *   2033-07-26  month 7     (処暑)
 *   2033-08-25  leap 7      (no term: 秋分 falls on 09-23, the next month)
 *   2033-09-23  month 8     (秋分)
 *   2033-10-23  month 9     (霜降)
 *   2033-11-22  month 10    (小雪 and 冬至: the first names it)
 *   2033-12-22  leap 10     (no term: 大寒 falls on 2034-01-20)
 *   2034-01-20  month 12    (大寒 and 雨水: the first names it)
 *   2034-02-19  leap 12     (no term: 春分 falls on 03-20)
 *   2034-03-20  month 2     (春分)
 * Months 11 and 1 are skipped and three of seven consecutive months are
 * leap months. Lunisolar year 2033 (from 2033-01-31) has 14 months, the
 * last of them leap 12 up to 2034-03-19; year 2034 begins with month 2 on
 * 2034-03-20, has no month 1 and 11 months. The month that holds 冬至 is
 * thus not month 11 here, unlike the customary reading of these years.
 * (In 2052/53, as in 1984/85, a month 11 that holds both 冬至 and 大寒 is
 * followed by month 1 and a leap month 1; 12 is skipped. In 1870/71 the
 * month 11 that holds both is followed by a leap 11 and then month 1.) */
LunisolarDate VRN_CALL adto9rekL(CalendarDate date);

/* ---- Sexagenary cycle -------------------------------------------------- */

/* Sexagenary numbers run 0..59: 1 is 甲子, 2 乙丑 .. 59 壬戌, and 0 stands for
 * the sixtieth pair 癸亥. Stem = number mod 10 (0 癸, 1 甲 .. 9 壬), branch =
 * number mod 12 (0 亥, 1 子 .. 11 戌). */

/* Pair of the year, 0..59. The year turns on the day of 立春 (at the date's
 * longitude); the clock time is ignored. A month outside 1..12 counts as
 * past 立春. Any year gives 0..59. */
int32_t VRN_CALL ad2neto(CalendarDate date);

/* Pair of the solar month, 0..59. The month turns on the day of its
 * sectional term (小寒 in January .. 大雪 in December); January 1900 from
 * 小寒 on is 丁丑 (14). A month outside 1..12 has no such term: it counts on
 * linearly (13 is January of the next year) and is read as past its term. */
int32_t VRN_CALL ad2teto(CalendarDate date);

/* Pair of the day, 0..59, from the instant's Julian day, so it steps at
 * 12:00 UT (21:00 at longitude 135); pass 0:00:00 for the day's own pair.
 * 2000-01-01 is 戊午 (55). Before Julian day 9 the cycle runs on backwards
 * (still 0..59); a NaN or infinite instant gives 0. */
int32_t VRN_CALL ad2heto(CalendarDate date);

/* Pair of the two-hour period at `hour` (0..23; 23 and 0 are 子) on a day
 * whose pair (or stem) is `day_number`; hour 23 stays on the same day.
 * Result 0..59. Any hour reads as that hour of the 24-hour clock (-1 is 23,
 * 24 is 0) and any day number by its stem taken into 0..9. */
int32_t VRN_CALL ht2teto(int32_t hour, int32_t day_number);

/* Pair name, 4 bytes ("甲子" for 1, "癸亥" for 0); null outside 0..59. */
const char* VRN_CALL eno2name(int32_t sexagenary);

/* n % 10: the stem of a sexagenary number. A plain remainder with the sign of
 * n (-3 gives -3), defined for every n. */
int32_t VRN_CALL eno210no(int32_t n);

/* Stem name, 2 bytes ("癸" for 0, "甲" for 1); null outside 0..9. */
const char* VRN_CALL e102name(int32_t stem);

/* n % 12: the branch of a sexagenary number. A plain remainder with the sign
 * of n, defined for every n. */
int32_t VRN_CALL eno212no(int32_t n);

/* Branch name, 2 bytes ("亥" for 0, "子" for 1); null outside 0..11. */
const char* VRN_CALL e122name(int32_t branch);

/* ---- Six-day cycle and lunar mansions ---------------------------------- */

/* Six-day index (六曜) 0..5 of the date: (month + day - 1) mod 6 of its
 * lunisolar date (adto9rek; a leap month counts with its number), so day 1
 * of month 1 is 1 "先勝". The clock time is ignored. -999 for a date outside
 * the span of adto9rek (before 1870-02-01 or after 2020-12-14). */
int32_t VRN_CALL ad26you(CalendarDate date);

/* ad26you on the lunisolar date of adto9rekL: the same index wherever
 * ad26you answers, and an index 0..5 for every date from 1870-02-01 to
 * 2100-12-30. -999 for a date outside that span. */
int32_t VRN_CALL ad26youL(CalendarDate date);

/* Six-day name, 0 "赤口" .. 5 "大安"; null outside 0..5. */
const char* VRN_CALL rno2name(int32_t index);

/* 28-mansion index 0..27 of the calendar date: (Julian day number + 11)
 * mod 28, so 2000-01-01 is 16 "胃"; consecutive days step by one. The clock
 * time and longitude are ignored. A date with a Julian day number below -11
 * (before 21 December 4714 BC) gives -27..0: the remainder keeps its sign. */
int32_t VRN_CALL adto28(CalendarDate date);

/* 28-mansion name, 0 "角" .. 27 "軫" (2 is half-width "ﾃｲ"); null outside
 * 0..27. */
const char* VRN_CALL A28toname(int32_t index);

/* 27-mansion index 0..26 of the date: the cycle restarts on day 1 of every
 * lunisolar month at a fixed mansion for the month number (month 1 at 11
 * "室", month 8 at 0 "角"). The clock time is ignored. -999 for a date
 * outside the span of adto9rek (before 1870-02-01 or after 2020-12-14). */
int32_t VRN_CALL adto27(CalendarDate date);

/* adto27 on the lunisolar date of adto9rekL: the same index wherever adto27
 * answers, and an index 0..26 for every date from 1870-02-01 to 2100-12-30.
 * -999 for a date outside that span. */
int32_t VRN_CALL adto27L(CalendarDate date);

/* 27-mansion name: the 28 without "牛" (index 8 is "女"); null outside
 * 0..26. */
const char* VRN_CALL A27toname(int32_t index);

/* ---- Nine stars -------------------------------------------------------- */

/* Star numbers run 0..8: 1 一白 .. 8 八白, and 0 is 九紫. */

/* The 甲子 / 甲午 day nearest the summer (夏至, June) or winter (冬至,
 * December) solstice day of `year` at the meridian `longitude`: the one in
 * the window from 29 days before to 30 days after the solstice day (a
 * solstice day half a cycle away takes the later one). Returned at 0:00:00
 * with `longitude` set to the argument. */
CalendarDate VRN_CALL geshi2koushi(int32_t year, double longitude);
CalendarDate VRN_CALL touji2koushi(int32_t year, double longitude);
CalendarDate VRN_CALL geshi2kougo(int32_t year, double longitude);
CalendarDate VRN_CALL touji2kougo(int32_t year, double longitude);

/* Star of the year, 0..8, turning on the day of 立春; (2 - year) mod 9 from
 * 立春 on. A month outside 1..12 counts as past 立春. Any year gives 0..8. */
int32_t VRN_CALL ad2nkyusei(CalendarDate date);

/* Star of the solar month, 0..8, turning on the day of the month's sectional
 * term. A month outside 1..12 has no such term: (4 - 3*year - month) mod 9,
 * as if past the term. Any year gives 0..8. */
int32_t VRN_CALL ad2tkyusei(CalendarDate date);

/* Star of the day, 0..8. It rises by one a day from the winter switch day
 * (甲子 day near 冬至: 一白; in years 7 mod 23 the 甲午 day: 七赤) and falls by
 * one a day from the summer switch day (甲子 near 夏至: 九紫; in years 19 mod
 * 23 the 甲午 day: 三碧). The clock time is ignored. Days and months outside
 * their range are measured from the switch days of the given year and still
 * give 0..8. */
int32_t VRN_CALL ad2hkyusei(CalendarDate date);

/* Star name, 4 bytes ("九紫" for 0, "一白" for 1); null outside 0..8. */
const char* VRN_CALL kno2name(int32_t star);

/* ---- Selected days ----------------------------------------------------- */

/* Each answers 'Y' when the date is the day named, else 'N'. The day's pair
 * is that of the instant (see ad2heto): pass 0:00:00. */

/* 天赦日: the season's pair (spring 戊寅, summer 甲午, autumn 戊申, winter
 * 甲子); seasons begin on the days of 立春, 立夏, 立秋 and 立冬. 'N' for a
 * month outside 1..12. */
char VRN_CALL tensyabi(CalendarDate date);

/* 黒日 / 三隣亡: the day's branch is the fixed branch of its solar month
 * (months turn on their sectional terms). 'N' for a month outside 1..12. */
char VRN_CALL kurobi(CalendarDate date);
char VRN_CALL sanrinbo(CalendarDate date);

/* 不成就日: fixed days of the lunisolar month (from adto9rek; a leap month
 * counts as the month it bears). 'N' when the lunisolar month is outside
 * 1..12, as for a date outside the span of adto9rek. */
char VRN_CALL fujyojyu(CalendarDate date);

/* fujyojyu on the lunisolar date of adto9rekL: the same answer wherever
 * fujyojyu has one, and 'Y' or 'N' for every date from 1870-02-01 to
 * 2100-12-30. 'N' for a date outside that span. */
char VRN_CALL fujyojyuL(CalendarDate date);

/* Every 癸巳 day (pair 30), once in sixty days. */
char VRN_CALL teniti(CalendarDate date);

/* ---- Lunisolar date numbered from the winter solstice ------------------ */

/* The lunisolar date of adto9rekL with the months numbered as the published
 * calendars number them: the lunar month that holds 冬至 (the Sun at 270
 * degrees, at or after 00:00 of its first day and before that of the next
 * month, UTC+9) is month 11; when the months from one month 11 up to the
 * next are thirteen, the first of them that holds no principal term is a
 * leap month ('Y') with the number of the month before, and every other
 * month takes the next number. The months, their days, the span
 * (1870-02-01 to 2100-12-30), the lunisolar year (that of the month's first
 * day; months 11 and 12 that begin in January or February count with the
 * year before), the normalising of out-of-range days and months and the
 * result outside the span (leap 'N', year, month and day -999, the
 * longitude copied) are those of adto9rekL.
 *
 * From 1870 to 2100 the two readings number eleven months differently:
 * 1871-01-21 (month 12; leap 11 by adto9rekL), 1985-01-21 (12; 1),
 * 1985-02-20 (1; leap 1), 2033-08-25, 09-23, 10-23 and 11-22 (8, 9, 10 and
 * 11; leap 7, then 8, 9 and 10), 2033-12-22 (leap 11; leap 10), 2034-02-19
 * (1; leap 12), 2053-01-20 (12; 1) and 2053-02-19 (1; leap 1). Every other
 * day has the same result from both (docs/winter-solstice-reading.md).
 *
 * The months before the first stored new moon (1870-01-02) are not stored;
 * the month before it holds 冬至 1869-12-22 whichever of the two possible
 * first days it had, which is all the rule needs from it. The span ends on
 * the last day of the month 11 of 2100, so nothing after the table is
 * needed there. */
LunisolarDate VRN_CALL adto9rekS(CalendarDate date);

/* ad26you, adto27 and fujyojyu on the lunisolar date of adto9rekS (a leap
 * month counts with its number): an index 0..5, an index 0..26, 'Y' or 'N'
 * for every date from 1870-02-01 to 2100-12-30; -999, -999 and 'N' outside
 * that span. */
int32_t VRN_CALL ad26youS(CalendarDate date);
int32_t VRN_CALL adto27S(CalendarDate date);
char VRN_CALL fujyojyuS(CalendarDate date);

/* ---- Almanac: seasonal days, selected days, the Moon ------------------- */

/* The almanac items of a day, numbered in the order a printed almanac lists
 * them; bit n of an item set is item n. The seasonal days and the Moon's
 * phases follow the Sun's and the Moon's apparent longitudes from a theory
 * accurate to about a minute with Delta T (stored instants 1869-2101, not
 * the truncated series of jd2sok and the solar-term exports), so they fall
 * on the days the almanacs publish. */
enum {
    VRN_SETSUBUN = 0,        /* 節分: the eve of the 立春 day */
    VRN_HIGAN_IRI = 1,       /* 彼岸入り: equinox day - 3 (spring, autumn) */
    VRN_HIGAN_AKE = 2,       /* 彼岸明け: equinox day + 3 */
    VRN_SHANICHI = 3,        /* 社日: the 戊 day nearest the equinox day */
    VRN_HACHIJUHACHIYA = 4,  /* 八十八夜: 立春 day + 87 */
    VRN_NYUBAI = 5,          /* 入梅: the Sun at 80 degrees */
    VRN_HANGESHO = 6,        /* 半夏生: the Sun at 100 degrees */
    VRN_DOYO_IRI = 7,        /* 土用入り: the Sun at 297, 27, 117, 207 degrees */
    VRN_DOYO_USHI = 8,       /* 土用の丑の日: a 丑 day within a 土用 */
    VRN_NIHYAKUTOKA = 9,     /* 二百十日: 立春 day + 209 */
    VRN_NIHYAKUHATSUKA = 10, /* 二百二十日: 立春 day + 219 */
    VRN_ICHIRYUMANBAI = 11,  /* 一粒万倍日 */
    VRN_TENSHA = 12,         /* 天赦日 */
    VRN_DAIMYO = 13,         /* 大明日 */
    VRN_BOSO = 14,           /* 母倉日 */
    VRN_TORA = 15,           /* 寅の日 */
    VRN_MI = 16,             /* 巳の日 */
    VRN_TSUCHINOTOMI = 17,   /* 己巳の日 */
    VRN_KINOENE = 18,        /* 甲子の日 */
    VRN_TENICHITENJO = 19,   /* 天一天上: 癸巳 .. 戊申 */
    VRN_HASSEN = 20,         /* 八専: 壬子 .. 癸亥 less its 間日 */
    VRN_JIPPOGURE = 21,      /* 十方暮: 甲申 .. 癸巳 */
    VRN_SANRINBO = 22,       /* 三隣亡 */
    VRN_FUJOJU = 23,         /* 不成就日 */
    VRN_JUSHI = 24,          /* 受死日 (黒日) */
    VRN_SHINGETSU = 25,      /* 新月: the Moon's and Sun's longitudes equal */
    VRN_JOGEN = 26,          /* 上弦: the Moon 90 degrees ahead */
    VRN_MANGETSU = 27,       /* 満月: 180 degrees */
    VRN_KAGEN = 28,          /* 下弦: 270 degrees */
    VRN_ALMANAC_ITEMS = 29
};

/* Every almanac item of the local day of `date` (year, month, day and
 * longitude; the clock time is ignored) as a bit set, or -999 when that day
 * lies outside 1870-01-01 .. 2100-12-31 or the longitude outside
 * -180 .. 180 (NaN included). Fields out of range run on as in ad2jd.
 * An instant belongs to the local day floor(UT days + longitude / 360).
 * Solar months and seasons run from the days of the accurate sectional
 * terms (see ad2sekki), which can differ by a day from the term exports
 * that tensyabi, kurobi and sanrinbo use. The day's stem and branch are
 * those of its date, as ad2heto gives them at 00:00 (at longitude -180
 * exactly ad2heto already counts 00:00 as the next day; the almanac keeps
 * the date's own). 不成就日 is that of fujyojyuL (months numbered by the
 * principal terms) for the same year, month and day; it is never set
 * outside fujyojyuL's span (1870-02-01 .. 2100-12-30). */
int32_t VRN_CALL ad2rekicyu(CalendarDate date);

/* ad2rekicyu with 不成就日 from fujyojyuS (months numbered from the winter
 * solstice); every other item is the same. */
int32_t VRN_CALL ad2rekicyuS(CalendarDate date);

/* ad2rekicyu with 不成就日 from fujyojyuH (the published months); every
 * other item is the same. 不成就日 is set on every day of the span, January
 * 1870 included, since the published months reach back before the stored
 * new moons. */
int32_t VRN_CALL ad2rekicyuH(CalendarDate date);

/* The Moon's age at 12:00 local time of the date's day, in tenths of a day
 * since the last new moon at or before that noon (rounded to the nearest
 * tenth), 0..299; -999 as for ad2rekicyu. */
int32_t VRN_CALL ad2getrei(CalendarDate date);

/* The solar term that begins on the local day of `date` by the accurate
 * theory, numbered by the Sun's longitude / 15 (0 春分, 1 清明 .. 18 冬至,
 * 19 小寒 .. 21 立春 .. 23 啓蟄), -1 when none does; -999 as for
 * ad2rekicyu. */
int32_t VRN_CALL ad2sekki(CalendarDate date);

/* Name of almanac item 0..28 ("節分" .. "下弦"); null outside 0..28. */
const char* VRN_CALL rek2name(int32_t item);

/* Name of solar term 0..23 as ad2sekki numbers them ("春分" .. "啓蟄");
 * null outside 0..23. */
const char* VRN_CALL sek2name(int32_t term);

/* ---- Almanac rows: the 十二直 (中段) and the 暦注下段 ---------------------- */

/* The lower-row items of a day, in the order of the almanac's list; bit n
 * of a lower-row set is item n. Solar months are those of ad2rekicyu (寅月
 * from the accurate 立春 day .. 丑月 from the 小寒 day), branches and stems
 * those of the date's own 干支, and lunar months those of the lunisolar
 * date, a leap month counting with its number. */
enum {
    VRN_TENON = 0,     /* 天恩日: 甲子..戊辰, 己卯..癸未, 己酉..癸丑 */
    VRN_KAMIYOSHI = 1, /* 神吉日: 33 sexagenary days */
    VRN_KISHUKU = 2,   /* 鬼宿日: the 28 mansion (adto28) is 鬼 */
    VRN_TSUKITOKU = 3, /* 月徳日: stem 丙 甲 壬 庚 by solar month */
    VRN_JISSHI = 4,    /* 十死日: branch 酉 巳 丑 by solar month */
    VRN_GOMU = 5,      /* 五墓日: 乙丑 丙戌 戊辰 辛未 壬辰 */
    VRN_KIKO = 6,      /* 帰忌日: branch 丑 寅 子 by solar month */
    VRN_CHIIMI = 7,    /* 血忌日: branch by solar month */
    VRN_TENKA = 8,     /* 天火日: branch 子 卯 午 酉 by solar month */
    VRN_CHIKA = 9,     /* 地火日: branch by solar month */
    VRN_KUE = 10,      /* 凶会日: sexagenary days by lunar month */
    VRN_OMO = 11,      /* 往亡日: the Nth day of the solar month */
    VRN_JUNICHI = 12,  /* 重日: every 巳 and 亥 day */
    VRN_FUKU = 13,     /* 復日: stems by solar month */
    VRN_TAIKA = 14,    /* 大禍日: branch by solar month */
    VRN_ROJAKU = 15,   /* 狼藉日: branch 子 卯 午 酉 by solar month */
    VRN_METSUMON = 16, /* 滅門日: branch by solar month */
    VRN_LOWER_ROW_ITEMS = 17
};

/* The 直 of the local day of `date` (the arguments and the span as for
 * ad2rekicyu): 0 建, 1 除, 2 満, 3 平, 4 定, 5 執, 6 破, 7 危, 8 成, 9 納,
 * 10 開, 11 閉. 建 falls on the day whose branch is the solar month's own
 * (寅 in 寅月 ..), the others follow day by day, so the day of a sectional
 * term repeats the 直 of the day before. -999 outside the span. */
int32_t VRN_CALL ad2cyoku(CalendarDate date);

/* Every lower-row item of the local day of `date` as a bit set (the
 * arguments and the span as for ad2rekicyu), or -999 outside the span.
 * 凶会日 follows the lunar month of adto9rekL (months named by the principal
 * terms); it is never set outside adto9rekL's span (1870-02-01 ..
 * 2100-12-30). */
int32_t VRN_CALL ad2gedan(CalendarDate date);

/* ad2gedan with 凶会日 by the lunar month of adto9rekS (months numbered from
 * the winter solstice); every other item is the same. */
int32_t VRN_CALL ad2gedanS(CalendarDate date);

/* ad2gedan with 凶会日 by the lunar month of adto9rekH (the published
 * months, January 1870 included); every other item is the same. */
int32_t VRN_CALL ad2gedanH(CalendarDate date);

/* Name of 直 0..11 ("建" .. "閉"); null outside 0..11. */
const char* VRN_CALL cyo2name(int32_t choku);

/* Name of lower-row item 0..16 ("天恩日" .. "滅門日"); null outside 0..16. */
const char* VRN_CALL ged2name(int32_t item);

/* ---- The calendar as published through history ------------------------ */

/* The lunisolar calendar that Japan used from 445 to 1872 and the reading
 * that the almanacs have published since, with the eras and reigns by
 * which the years were counted. Dates here are proleptic Gregorian
 * throughout (no switch to the Julian calendar before 1582: ad2jul and
 * jul2ad convert), only year, month and day are read (the clock time and
 * the longitude are ignored: the calendar's days are those of Japan, at
 * 135 degrees east), and days and months outside their usual range run on
 * as in ad2jd (day 0 is the last day of the month before).
 *
 * Before 1873 the months are those of the published historical tables
 * (CC0 data, tools/history_table/README.md): the year is numbered as the
 * Western year in which its month 1 begins, and month 12 of 1872 was cut
 * to two days (1873-01-01 is the first Gregorian day).
 *
 * From 1873 they are the months of adto9rekS (numbered from the winter
 * solstice), each begun on the day, at UTC+9, of the accurate new moon of
 * the almanac (ad2rekicyu's instants) where the stored new-moon days that
 * adto9rekS reads differ from it. That moves two months of 1873..2100,
 * each to a day earlier (new moons a few minutes before midnight, UTC+9):
 *   1884 month 4 from 1884-04-25 (new moon 23:57; adto9rekS 04-26): 04-25
 *     is its day 1 (adto9rekS: month 3 day 30), 04-26 .. 05-24 its days
 *     2 .. 30 (adto9rekS 1 .. 29);
 *   2017 month 2 from 2017-02-26 (new moon 23:58; adto9rekS 02-27): 02-26
 *     is its day 1 (adto9rekS: month 1 day 30), 02-27 .. 03-27 its days
 *     2 .. 30 (adto9rekS 1 .. 29).
 * Every other day 1873-01-01 .. 2100-12-30 has adto9rekS's date, the days
 * 1873-01-01 .. 1873-01-28 among them (1872 month 12 days 3 .. 30: the
 * old calendar's tables ran on past the switch). */

/* The two courts that kept their own eras from 1331 to 1392 (南北朝), and
 * the rows that both followed. */
enum { VRN_SOUTH = 0, VRN_NORTH = 1, VRN_BOTH = 2 };

/* The published lunisolar date of the day that `date` names: leap 'Y' in a
 * leap month else 'N', the lunisolar year, month 1..12 and day 1..30, and
 * longitude 135.0. Span 0445-01-25 (Julian 0445-01-24, the first day of
 * month 1 of 445) .. 2100-12-30; 1872-12-31 is 1872 month 12 day 2. Outside
 * the span: leap 'N', year, month and day -999, longitude 135.0. */
LunisolarDate VRN_CALL adto9rekH(CalendarDate date);

/* The reverse of adto9rekH: the day of lunisolar year `year` (445..2100),
 * month 1..12, leap 'Y' or 'N', day 1..30 (the longitude is not read), as a
 * proleptic Gregorian date at 00:00:00, longitude 135.0. For no such day
 * (a leap month the year lacks, a day the month lacks, 1872 month 12 day 3
 * on, a month that ends after 2100-12-30, a leap value other than 'Y' and
 * 'N'): year, month and day -999, clock 0, longitude 135.0. */
CalendarDate VRN_CALL kyu2ad(LunisolarDate date);

/* Days of a published month: 29 or 30, 2 for month 12 of 1872; 0 where the
 * calendar has no such month (a leap month the year lacks, a month outside
 * 1..12, a leap value other than 'Y' and 'N', a year outside 445..2100, a
 * month of 2100 that ends after 2100-12-30). */
int32_t VRN_CALL kyu2days(int32_t year, int32_t month, char leap);

/* Era numbers are the rows of the table of era and reign starts, in order
 * of their start day: 0 允恭天皇 (reign from 412) .. 274 令和. */

/* The era or reign in force on the day `date` names, for `court` VRN_SOUTH
 * or VRN_NORTH (the two answer alike outside 1331..1392): the last start of
 * that court, or of both, on or before the day (the day of the
 * proclamation already has the new era). Span 0445-01-25 .. 2100-12-31;
 * -999 outside it or for any other court. */
int32_t VRN_CALL ad2gengo(CalendarDate date, int32_t court);

/* The year of that era on that day, 1 for 元年. Before 1873 counted in
 * lunisolar years from the era's first start in either court (a restated
 * era keeps counting: the northern 元弘 of 1333 is 元弘3年), so the year turns
 * on the day of month 1; from 1873 Gregorian years (明治6年 is 1873). A
 * reign's year 1 is the lunisolar year in which it began (445 is
 * 允恭天皇34年). -999 as for ad2gengo. */
int32_t VRN_CALL ad2gennen(CalendarDate date, int32_t court);

/* Name of era 0..274, Shift-JIS ("允恭天皇" .. "令和"); null outside. */
const char* VRN_CALL gen2name(int32_t era);

/* The year that is 元年 of an era (the lunisolar year of its first start in
 * either court, a restated row answering as the first of its name; the
 * Gregorian year from 1873): 645 for 大化, 2019 for 令和. -999 outside
 * 0..274. */
int32_t VRN_CALL gen2first(int32_t era);

/* The last year, as the era's own count, in which that row was in force in
 * either court: 20 for 天正 (文禄 began in 天正20年), 82 for 令和 (its year
 * in 2100). -999 outside 0..274. */
int32_t VRN_CALL gen2last(int32_t era);

/* The court that followed an era: VRN_SOUTH, VRN_NORTH or VRN_BOTH; -999
 * outside 0..274. */
int32_t VRN_CALL gen2line(int32_t era);

/* The Julian-calendar date of the day that `date` names in the proleptic
 * Gregorian calendar (1582-10-15 gives 1582-10-05), hour, minute, second
 * and longitude copied; jul2ad the reverse (1582-10-04 gives 1582-10-14).
 * Fields out of range run on as in ad2jd. Both answer for the days of the
 * proleptic Gregorian years -1000000 .. 1000000 (Julian -999980-07-16 ..
 * 999980-06-21), where each is the other's reverse; any other day gives
 * year, month and day -999 (the other fields still copied). */
CalendarDate VRN_CALL ad2jul(CalendarDate date);
CalendarDate VRN_CALL jul2ad(CalendarDate julian);

/* 六曜, the 27 mansion and 不成就日 of the published lunisolar date of the
 * day `date` names (adto9rekH; a leap month counts with its number, the
 * clock time and the longitude are not read): an index 0..5 (0 赤口 ..
 * 5 大安), an index 0..26, 'Y' or 'N', for every day 0445-01-25 ..
 * 2100-12-30; -999, -999 and 'N' outside that span. They differ from
 * ad26youS, adto27S and fujyojyuS only where adto9rekH differs from
 * adto9rekS (1884-04-25 .. 05-24 and 2017-02-26 .. 03-27). */
int32_t VRN_CALL ad26youH(CalendarDate date);
int32_t VRN_CALL adto27H(CalendarDate date);
char VRN_CALL fujyojyuH(CalendarDate date);

/* ---- Sunrise, sunset, moonrise, moonset and transits ------------------ */

/* The events of the Sun and the Moon on the local day of `date` (year,
 * month and day, which run on beyond their ranges as in ad2jd, and the
 * clock's meridian date.longitude; the clock time is ignored) at a place of
 * geodetic `latitude` (-90 .. 90, north positive) and `longitude` (-180 ..
 * 180, east positive) at height 0, for days 1870-01-01 .. 2100-12-31 and
 * clock meridians -180 .. 180. Japan is the meridian 135.0.
 *
 * From an accurate theory (the Sun to about a second of arc, the Moon to
 * about ten, Delta T by the Espenak-Meeus polynomials): the times agree
 * with the national observatory's to the minute it prints and with an
 * independent ephemeris to within two seconds (docs/sun-and-moon.md).
 * A body rises or sets when its upper limb (the Moon's centre in
 * ad2tukide) meets the horizon under the refraction 35'08"; the altitude
 * is topocentric, the semidiameter the body's own (the Moon's as seen from
 * the place). The transit is the upper culmination, its altitude that of
 * the centre, topocentric and without refraction.
 *
 * Times are seconds after the local midnight (rounded to the nearest
 * second, 86399 at most); the printed minute is (t + 30) / 60, which is
 * 1440 for an event in the day's last half minute. A day without an event
 * (the Moon rises about 50 minutes later each day and skips a day a month;
 * near the polar circles the Sun stays up or down) gives VRN_NO_EVENT for
 * it, and `above` tells which side of the horizon the body began the day
 * on; when a day holds two events of a kind, the earlier. Arguments out of
 * range (NaN included) give VRN_RISE_SET_ERROR in all four integer fields
 * and -999.0 in `altitude`. */
enum { VRN_NO_EVENT = -1, VRN_RISE_SET_ERROR = -999 };

/* The Sun by its upper limb. */
RiseSetTimes VRN_CALL ad2hinode(CalendarDate date, double latitude, double longitude);

/* The Moon by its centre, as the national observatory's tables time it. */
RiseSetTimes VRN_CALL ad2tukide(CalendarDate date, double latitude, double longitude);

/* The Moon by its upper limb, as the nautical almanacs time it. */
RiseSetTimes VRN_CALL ad2tukideU(CalendarDate date, double latitude, double longitude);

/* ---- The 72 pentads (七十二候) ------------------------------------------ */

/* The pentad in force on the local day of `date` (the arguments and the
 * span as for ad2rekicyu), numbered from 立春: 0 東風解凍 .. 71 鶏始乳;
 * pentad n begins on the local day in which the Sun's apparent longitude
 * (the accurate theory of ad2hinode, which puts every third pentad on the
 * day of ad2sekki's term) reaches 315 + 5 n degrees. VRN_KOU_BEGINS is added
 * on the day a pentad begins. -999 outside the span. */
enum { VRN_KOU_BEGINS = 128 };
int32_t VRN_CALL ad2kou(CalendarDate date);

/* Name of pentad 0..71 as the modern almanac (略本暦) writes it; the
 * characters 睍睆 (pentad 1), 鱖 (62) and 雊 (68) have no code page 932
 * form and are written in hiragana ("黄鶯けんかん", "けつ魚群", "雉始こう").
 * Null outside 0..71. */
const char* VRN_CALL kou2name(int32_t pentad);

/* Reading of pentad 0..71 in hiragana ("はるかぜこおりをとく" ..); null
 * outside 0..71. */
const char* VRN_CALL kou2yomi(int32_t pentad);

/* ---- 納音 and 恵方 ------------------------------------------------------- */

/* The 納音 of sexagenary number 0..59 (1 甲子 .. 59 壬戌, 0 癸亥), shared by
 * each pair from 甲子・乙丑 "海中金" to 壬戌・癸亥 "大海水"; null outside
 * 0..59. */
const char* VRN_CALL eno2natin(int32_t sexagenary);

/* The 恵方 of the year that begins at 立春 and holds the local day of `date`
 * (the arguments and the span as for ad2rekicyu; 立春 by the accurate
 * theory, the day of ad2sekki), by the year's stem: 0 for 甲 and 己, 1 for
 * 乙 and 庚, 2 for 丙, 辛, 戊 and 癸, 3 for 丁 and 壬. -999 outside the span. */
int32_t VRN_CALL ad2ehou(CalendarDate date);

/* The 恵方 0..3 between its two branches ("寅卯の間", "申酉の間", "巳午の間",
 * "亥子の間") and by the compass ("東北東やや東", "西南西やや西", "南南東やや南",
 * "北北西やや北"); null outside 0..3. */
const char* VRN_CALL eho2name(int32_t direction);
const char* VRN_CALL eho2houi(int32_t direction);

/* Its bearing in degrees from north through east: 75, 255, 165, 345; -999
 * outside 0..3. */
int32_t VRN_CALL eho2kaku(int32_t direction);

/* ---- Divination tables ------------------------------------------------- */

/* Stems are numbered 0 癸, 1 甲 .. 9 壬, branches 0 亥, 1 子 .. 11 戌, and
 * sexagenary numbers 0..59 with 0 for 癸亥 (60 is read as 0 where noted). */

/* Ten-deity number 0..9 of `other_stem` seen from `self_stem` (note the
 * order: the other stem first). -1 if either stem lies outside 0..9. */
int32_t VRN_CALL e102hen(int32_t other_stem, int32_t self_stem);

/* Ten-deity name ("比肩", "正官" ..); null outside 0..9. */
const char* VRN_CALL hno2name(int32_t deity);

/* Void branch pair (空亡) of the ten-day group of a sexagenary number, as
 * its name: 1..10 give "戌亥" .. 51..59 and 0 give "子丑". 60 is read as 0.
 * Null outside 0..60. */
const char* VRN_CALL eto2kubo(int32_t sexagenary);

/* Hidden stem (蔵干) number 0..9 of a solar month's branch on a day count
 * 1..31 (day 1 is the day of the month's sectional term). -1 for a day count
 * outside 1..31 or a branch outside 0..11. */
int32_t VRN_CALL zoukan(int32_t day_count, int32_t branch);

/* Five-day zone 0..11 of a sexagenary number: 1..5 give 0 .. 56..59 and 0
 * give 11. 60 is read as 0. -1 outside 0..60. */
int32_t VRN_CALL eto2zone(int32_t sexagenary);

/* Zone name ("風Ａ" .. "寒Ｂ", full-width letters); null outside 0..11. */
const char* VRN_CALL zno2name(int32_t zone);

/* Message number 0..143 of an ordered pair of zones: 12 * first + second.
 * -1 if either zone lies outside 0..11. */
int32_t VRN_CALL zone2msg(int32_t first_zone, int32_t second_zone);

#ifdef __cplusplus
}
#endif

#endif /* VORANE2_H */
